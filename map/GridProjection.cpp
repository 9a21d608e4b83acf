#include "map/GridProjection.h"

#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/OSGB.hpp>
#include <cmath>

#include "towerdata/MapPoint.h"

namespace chimeset {
namespace {

// The Ordnance Survey's seven-parameter shift from WGS84 (ETRS89) to OSGB36, good to a few
// metres: translations in metres, rotations in arc seconds, scale in parts per million.
constexpr double kTx = -446.448;
constexpr double kTy = 125.157;
constexpr double kTz = -542.060;
constexpr double kRx = -0.1502;
constexpr double kRy = -0.2470;
constexpr double kRz = -0.8421;
constexpr double kScalePpm = 20.4894;

const GeographicLib::Geocentric& Airy1830() {
    static const GeographicLib::Geocentric airy(6377563.396, 1 / 299.3249646);
    return airy;
}

}  // namespace

std::optional<double> ParseDegrees(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    double whole = 0;
    double fraction = 0;
    double place = 1;
    int digits = 0;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 15) return std::nullopt;
            if (point) {
                place /= 10;
                fraction += (c - '0') * place;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    const double value = whole + fraction;
    return negative ? -value : value;
}

GridPoint ProjectOsgb36(double latitude, double longitude) {
    GridPoint point;
    GeographicLib::OSGB::Forward(latitude, longitude, point.easting, point.northing);
    return point;
}

std::optional<GridPoint> ProjectWgs84(double latitude, double longitude) {
    if (!(latitude >= 44 && latitude <= 66 && longitude >= -16 && longitude <= 8))
        return std::nullopt;
    double x = 0;
    double y = 0;
    double z = 0;
    GeographicLib::Geocentric::WGS84().Forward(latitude, longitude, 0, x, y, z);
    const double arcSecond = M_PI / (180.0 * 3600.0);
    const double rx = kRx * arcSecond;
    const double ry = kRy * arcSecond;
    const double rz = kRz * arcSecond;
    const double s = 1 + kScalePpm * 1e-6;
    const double x2 = kTx + s * x - rz * y + ry * z;
    const double y2 = kTy + rz * x + s * y - rx * z;
    const double z2 = kTz - ry * x + rx * y + s * z;
    double lat = 0;
    double lon = 0;
    double height = 0;
    Airy1830().Reverse(x2, y2, z2, lat, lon, height);
    return ProjectOsgb36(lat, lon);
}

TowerPosition PositionOfTower(std::string_view latitude, std::string_view longitude,
                              std::string_view gridReference) {
    const auto blank = [](std::string_view text) {
        return text.find_first_not_of(' ') == std::string_view::npos;
    };
    TowerPosition position;
    bool impossible = false;
    if (!blank(latitude) || !blank(longitude)) {
        const auto lat = ParseDegrees(latitude);
        const auto lon = ParseDegrees(longitude);
        if (!lat || !lon || *lat == 0 || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) {
            impossible = true;
        } else if (const auto point = ProjectWgs84(*lat, *lon)) {
            return {PositionSource::LatLong, *point};
        } else {
            position.source = PositionSource::Faraway;
        }
    }
    if (const MapPoint grid = GridReferenceToMapPoint(gridReference); grid != 0) {
        return {PositionSource::GridReference,
                {MapPointEasting(grid) * 100.0 + 50, MapPointNorthing(grid) * 100.0 + 50}};
    }
    if (position.source == PositionSource::Faraway) return position;
    if (impossible || !blank(gridReference)) position.source = PositionSource::Impossible;
    return position;
}

}  // namespace chimeset
