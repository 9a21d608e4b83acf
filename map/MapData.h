// The coastlines, lakes and rivers that the tower map draws, on the British National Grid
// in metres, read from the map resource (tools/make_map_vectors.py writes it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chimeset {

struct GridPoint {
    double easting = 0;
    double northing = 0;
};

struct GridBox {
    double west = 0;
    double south = 0;
    double east = 0;
    double north = 0;
    bool Contains(double easting, double northing) const {
        return easting >= west && easting <= east && northing >= south && northing <= north;
    }
    double Width() const { return east - west; }
    double Height() const { return north - south; }
};

// A closed area: land (level 1), a lake (2) or an island in a lake (3).
struct MapArea {
    int level = 1;
    std::uint32_t first = 0;  // into MapData::Points()
    std::uint32_t count = 0;
    GridBox box;
};

// An open line: a river.
struct MapLine {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
    GridBox box;
};

class MapData {
  public:
    // Reads the text of a map resource. False for anything damaged; Error() says what.
    bool Parse(std::string_view text);
    bool IsLoaded() const { return loaded_; }
    const std::string& Error() const { return error_; }

    const GridBox& Bounds() const { return bounds_; }
    const std::vector<MapArea>& Areas() const { return areas_; }
    const std::vector<MapLine>& Lines() const { return lines_; }
    const std::vector<GridPoint>& Points() const { return points_; }
    // The comment lines of the resource, its credit among them.
    const std::vector<std::string>& Comments() const { return comments_; }

    // Whether a point lies on land: inside land and not in a lake (unless on its island).
    bool IsOnLand(double easting, double northing) const;
    std::size_t MemoryBytes() const;

  private:
    bool Fail(std::size_t lineNumber, const std::string& what);

    bool loaded_ = false;
    std::string error_;
    GridBox bounds_;
    std::vector<MapArea> areas_;
    std::vector<MapLine> lines_;
    std::vector<GridPoint> points_;
    std::vector<std::string> comments_;
};

}  // namespace chimeset
