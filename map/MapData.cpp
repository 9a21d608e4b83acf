#include "map/MapData.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace chimeset {
namespace {

constexpr std::string_view kMagic = "CHIMESET-MAP 1";
constexpr double kUnitMetres = 10.0;
// Far beyond any grid position the map can hold, in its 10 m units; a larger number is damage.
constexpr std::int64_t kLimit = 100'000'000;

// Reads whitespace-separated integers in turn.
class Numbers {
  public:
    explicit Numbers(std::string_view text) : text_(text) {}
    bool Next(std::int64_t& value) {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
        if (pos_ >= text_.size()) return false;
        const char* begin = text_.data() + pos_;
        const char* end = text_.data() + text_.size();
        const auto [ptr, ec] = std::from_chars(begin, end, value);
        if (ec != std::errc() || (ptr != end && *ptr != ' ')) return false;
        pos_ = static_cast<std::size_t>(ptr - text_.data());
        return value > -kLimit && value < kLimit;
    }
    bool AtEnd() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
        return pos_ >= text_.size();
    }

  private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

GridBox BoxOf(const std::vector<GridPoint>& points, std::size_t first, std::size_t count) {
    GridBox box{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest()};
    for (std::size_t i = first; i < first + count; ++i) {
        box.west = std::min(box.west, points[i].easting);
        box.east = std::max(box.east, points[i].easting);
        box.south = std::min(box.south, points[i].northing);
        box.north = std::max(box.north, points[i].northing);
    }
    return box;
}

bool RingContains(const std::vector<GridPoint>& points, const MapArea& area, double x, double y) {
    bool inside = false;
    const GridPoint* ring = points.data() + area.first;
    for (std::uint32_t i = 0, j = area.count - 1; i < area.count; j = i++) {
        const GridPoint& a = ring[i];
        const GridPoint& b = ring[j];
        if ((a.northing > y) != (b.northing > y) &&
            x < a.easting + (y - a.northing) * (b.easting - a.easting) / (b.northing - a.northing))
            inside = !inside;
    }
    return inside;
}

}  // namespace

bool MapData::Fail(std::size_t lineNumber, const std::string& what) {
    *this = MapData();
    error_ = "line " + std::to_string(lineNumber) + ": " + what;
    return false;
}

bool MapData::Parse(std::string_view text) {
    *this = MapData();
    std::size_t lineNumber = 0;
    bool sawBounds = false;
    bool sawEnd = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++lineNumber;
        if (lineNumber == 1) {
            if (line != kMagic) return Fail(1, "not a map file");
            continue;
        }
        if (line.empty()) continue;
        if (sawEnd) return Fail(lineNumber, "text after the end");
        if (line == "E") {
            sawEnd = true;
            continue;
        }
        if (line.front() == ';') {
            std::string_view comment = line.substr(1);
            while (!comment.empty() && comment.front() == ' ') comment.remove_prefix(1);
            comments_.emplace_back(comment);
            continue;
        }
        if (line.size() < 2 || line[1] != ' ') return Fail(lineNumber, "unknown line");
        Numbers numbers(line.substr(2));
        const char kind = line.front();
        if (kind == 'B') {
            std::int64_t v[4];
            for (auto& value : v)
                if (!numbers.Next(value)) return Fail(lineNumber, "bad area of the map");
            if (!numbers.AtEnd() || v[0] >= v[2] || v[1] >= v[3])
                return Fail(lineNumber, "bad area of the map");
            bounds_ = {double(v[0]), double(v[1]), double(v[2]), double(v[3])};
            sawBounds = true;
            continue;
        }
        if (kind != 'A' && kind != 'R') return Fail(lineNumber, "unknown line");
        std::int64_t level = 0;
        if (kind == 'A' && (!numbers.Next(level) || level < 1 || level > 3))
            return Fail(lineNumber, "bad level");
        std::int64_t count = 0;
        const std::int64_t least = kind == 'A' ? 3 : 2;
        if (!numbers.Next(count) || count < least || count > 10'000'000)
            return Fail(lineNumber, "bad number of points");
        const auto first = static_cast<std::uint32_t>(points_.size());
        std::int64_t x = 0;
        std::int64_t y = 0;
        for (std::int64_t i = 0; i < count; ++i) {
            std::int64_t dx = 0;
            std::int64_t dy = 0;
            if (!numbers.Next(dx) || !numbers.Next(dy))
                return Fail(lineNumber, "fewer points than its count");
            x += dx;
            y += dy;
            if (x <= -kLimit || x >= kLimit || y <= -kLimit || y >= kLimit)
                return Fail(lineNumber, "a point out of range");
            points_.push_back({double(x) * kUnitMetres, double(y) * kUnitMetres});
        }
        if (!numbers.AtEnd()) return Fail(lineNumber, "more points than its count");
        const auto n = static_cast<std::uint32_t>(count);
        if (kind == 'A')
            areas_.push_back({int(level), first, n, BoxOf(points_, first, n)});
        else
            lines_.push_back({first, n, BoxOf(points_, first, n)});
    }
    if (lineNumber == 0) return Fail(1, "empty");
    if (!sawBounds) return Fail(lineNumber, "the area of the map is missing");
    if (areas_.empty()) return Fail(lineNumber, "no land");
    if (!sawEnd) return Fail(lineNumber, "cut short");
    loaded_ = true;
    return true;
}

bool MapData::IsOnLand(double easting, double northing) const {
    // The innermost area around the point decides: land, lake, or island in a lake. Areas
    // never cross, so the highest level that holds the point is the innermost.
    int deepest = 0;
    for (const MapArea& area : areas_) {
        if (area.level <= deepest || !area.box.Contains(easting, northing)) continue;
        if (RingContains(points_, area, easting, northing)) deepest = area.level;
    }
    return deepest == 1 || deepest == 3;
}

std::size_t MapData::MemoryBytes() const {
    std::size_t bytes = sizeof(*this) + points_.capacity() * sizeof(GridPoint) +
                        areas_.capacity() * sizeof(MapArea) + lines_.capacity() * sizeof(MapLine);
    for (const std::string& comment : comments_) bytes += comment.capacity();
    return bytes;
}

}  // namespace chimeset
