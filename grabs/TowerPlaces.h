// Where towers are on the earth: latitude and longitude on WGS84, from a tower's own
// Lat/Lon fields or, failing those, from its Ordnance Survey grid reference. No Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chimeset {

class TowerDatabase;

struct GeoPoint {
    double latitude = 0;   // degrees, north positive
    double longitude = 0;  // degrees, east positive
};

// Decimal degrees as the database writes them ("51.5", "-1.25"); nullopt for anything else
// or a value outside [-limit, limit].
std::optional<double> ParseDegrees(std::string_view text, double limit);

// A British National Grid reference: two letters and an even number of digits (2 to 10),
// blanks allowed anywhere ("SU 123 456"). The point is the centre of the square it names,
// moved from the grid's OSGB36 datum to WGS84 (to a few metres).
std::optional<GeoPoint> GridReferenceToWgs84(std::string_view reference);

// "51.4789, -0.0015" or "51.4789 -0.0015": latitude first.
std::optional<GeoPoint> ParseLatLong(std::string_view text);

// A place the user typed: a grid reference or a latitude and longitude.
std::optional<GeoPoint> ParsePlace(std::string_view text);

// A tower's position: its latitude and longitude when both read, else its grid reference.
std::optional<GeoPoint> GeoPositionOfTower(const TowerDatabase& database, std::int32_t tower);

// The positions of every tower of a database, worked out once: finding the towers near a
// place then reads no record text.
class TowerPlaces {
  public:
    explicit TowerPlaces(const TowerDatabase& database);

    std::int32_t Count() const { return static_cast<std::int32_t>(points_.size()); }
    bool HasPosition(std::int32_t tower) const;
    const GeoPoint& At(std::int32_t tower) const {
        return points_[static_cast<std::size_t>(tower)];
    }
    // Towers placed neither by latitude and longitude nor by grid reference.
    std::int32_t WithoutPosition() const { return withoutPosition_; }

  private:
    std::vector<GeoPoint> points_;
    std::vector<bool> placed_;
    std::int32_t withoutPosition_ = 0;
};

}  // namespace chimeset
