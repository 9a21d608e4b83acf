#include "grabs/TowerPlaces.h"

#include <GeographicLib/Constants.hpp>
#include <GeographicLib/Geocentric.hpp>
#include <GeographicLib/Math.hpp>
#include <GeographicLib/OSGB.hpp>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <exception>

#include "common/FileFormats.h"
#include "towerdata/TowerDatabase.h"

namespace chimeset {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// OSGB36 (Airy 1830) to WGS84: the Ordnance Survey's seven-parameter Helmert transformation,
// good to a few metres, far finer than the 100-metre references of the database.
GeoPoint Osgb36ToWgs84(double latitude, double longitude) {
    static const GeographicLib::Geocentric airy(6377563.396, 1 / 299.3249646);
    double x = 0, y = 0, z = 0;
    airy.Forward(latitude, longitude, 0, x, y, z);
    const double kArcSecond = GeographicLib::Math::degree() / 3600.0;
    constexpr double tx = 446.448, ty = -125.157, tz = 542.060;
    constexpr double scale = 1 - 20.4894e-6;
    const double rx = 0.1502 * kArcSecond, ry = 0.2470 * kArcSecond, rz = 0.8421 * kArcSecond;
    const double wx = tx + scale * x - rz * y + ry * z;
    const double wy = ty + rz * x + scale * y - rx * z;
    const double wz = tz - ry * x + rx * y + scale * z;
    GeoPoint point;
    double height = 0;
    GeographicLib::Geocentric::WGS84().Reverse(wx, wy, wz, point.latitude, point.longitude, height);
    return point;
}

}  // namespace

std::optional<double> ParseDegrees(std::string_view text, double limit) {
    text = Trim(text);
    if (text.empty() || text.size() > 32) return std::nullopt;
    // Digits, one point and a leading sign only: strtod would take "nan", "1e5" or hex too.
    bool digits = false, point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else if (!((c == '-' || c == '+') && i == 0)) {
            return std::nullopt;
        }
    }
    if (!digits) return std::nullopt;
    const std::string copy(text);
    const double value = std::strtod(copy.c_str(), nullptr);
    if (!(std::fabs(value) <= limit)) return std::nullopt;
    return value;
}

std::optional<GeoPoint> GridReferenceToWgs84(std::string_view reference) {
    std::string compact;
    for (const char c : reference) {
        if (IsBlank(c)) continue;
        compact += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (compact.size() < 4 || compact.size() > 12 || compact.size() % 2 != 0) return std::nullopt;
    for (std::size_t i = 0; i < compact.size(); ++i) {
        const char c = compact[i];
        const bool ok = i < 2 ? (c >= 'A' && c <= 'Z') : (c >= '0' && c <= '9');
        if (!ok) return std::nullopt;
    }
    try {
        double x = 0, y = 0;
        int precision = 0;
        GeographicLib::OSGB::GridReference(compact, x, y, precision, true);
        if (std::isnan(x) || std::isnan(y)) return std::nullopt;
        double latitude = 0, longitude = 0;
        GeographicLib::OSGB::Reverse(x, y, latitude, longitude);
        return Osgb36ToWgs84(latitude, longitude);
    } catch (const std::exception&) {
        return std::nullopt;  // a square beyond the grid
    }
}

std::optional<GeoPoint> ParseLatLong(std::string_view text) {
    text = Trim(text);
    std::size_t split = text.find(',');
    if (split == std::string_view::npos) split = text.find_first_of(" \t");
    if (split == std::string_view::npos) return std::nullopt;
    const auto latitude = ParseDegrees(text.substr(0, split), 90);
    const auto longitude = ParseDegrees(text.substr(split + 1), 180);
    if (!latitude || !longitude) return std::nullopt;
    return GeoPoint{*latitude, *longitude};
}

std::optional<GeoPoint> ParsePlace(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && ((text[0] >= 'A' && text[0] <= 'Z') || (text[0] >= 'a' && text[0] <= 'z')))
        return GridReferenceToWgs84(text);
    return ParseLatLong(text);
}

std::optional<GeoPoint> GeoPositionOfTower(const TowerDatabase& database, std::int32_t tower) {
    const auto latitude = ParseDegrees(database.GetTowerField(tower, kLat), 90);
    const auto longitude = ParseDegrees(database.GetTowerField(tower, kLon), 180);
    // 0,0 is in the Gulf of Guinea: a record that says so has no position.
    if (latitude && longitude && !(*latitude == 0 && *longitude == 0))
        return GeoPoint{*latitude, *longitude};
    const std::string reference = database.GetTowerField(tower, kOS);
    if (reference.empty()) return std::nullopt;
    return GridReferenceToWgs84(reference);
}

TowerPlaces::TowerPlaces(const TowerDatabase& database) {
    const std::int32_t count = database.GetTowerCount();
    points_.resize(static_cast<std::size_t>(count));
    placed_.resize(static_cast<std::size_t>(count));
    for (std::int32_t tower = 0; tower < count; ++tower) {
        if (const auto point = GeoPositionOfTower(database, tower)) {
            points_[static_cast<std::size_t>(tower)] = *point;
            placed_[static_cast<std::size_t>(tower)] = true;
        } else {
            ++withoutPosition_;
        }
    }
}

bool TowerPlaces::HasPosition(std::int32_t tower) const {
    return tower >= 0 && tower < Count() && placed_[static_cast<std::size_t>(tower)];
}

}  // namespace chimeset
