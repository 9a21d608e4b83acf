#include "grabs/TowersNear.h"

#include <GeographicLib/Geodesic.hpp>
#include <GeographicLib/Math.hpp>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/FileFormats.h"
#include "common/Text.h"
#include "grabs/TowerVisits.h"
#include "towerdata/TowerDatabase.h"

namespace chimeset {
namespace {

constexpr double kMetresPerMile = 1609.344;

std::string Lower(std::string_view text) {
    std::string lower;
    for (const char c : text)
        lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return lower;
}

}  // namespace

double Radius::Metres() const {
    return unit == DistanceUnit::Miles ? value * kMetresPerMile : value * 1000.0;
}

std::optional<Radius> ParseRadius(std::string_view text, std::string& error) {
    std::size_t digits = 0;
    while (digits < text.size() &&
           ((text[digits] >= '0' && text[digits] <= '9') || text[digits] == '.' ||
            text[digits] == '-' || text[digits] == '+'))
        ++digits;
    std::string_view unitText = text.substr(digits);
    while (!unitText.empty() && unitText.front() == ' ') unitText.remove_prefix(1);
    const std::string unit = Lower(unitText);
    Radius radius;
    if (unit == "mi" || unit == "mile" || unit == "miles") {
        radius.unit = DistanceUnit::Miles;
    } else if (unit == "km" || unit == "kilometre" || unit == "kilometres") {
        radius.unit = DistanceUnit::Kilometres;
    } else {
        error = "the radius \"" + std::string(text) + "\" needs a unit, mi or km (10mi, 16km)";
        return std::nullopt;
    }
    const auto value = ParseDegrees(text.substr(0, digits), 1e6);
    if (!value) {
        error = "the radius \"" + std::string(text) + "\" is not a number";
        return std::nullopt;
    }
    if (!(*value > 0)) {
        error = "the radius must be more than 0";
        return std::nullopt;
    }
    // Half the earth's circumference is as far as any tower can be.
    if (radius.unit == DistanceUnit::Miles ? *value > 12500 : *value > 20000) {
        error = "the radius \"" + std::string(text) + "\" is larger than the earth allows";
        return std::nullopt;
    }
    radius.value = *value;
    return radius;
}

bool NearFilter::Accepts(const TowerDatabase& database, const TowerVisits& visits,
                         std::int32_t tower) const {
    if (unvisitedOnly && visits.Of(tower).Visited()) return false;
    if (minBells > 0 && ParseNumber(database.GetTowerField(tower, kBells)) < minBells) return false;
    if (ringableOnly && database.IsUnringable(tower)) return false;
    if (practiceDay && !PracticeOnDay(database.GetDetailField(tower, kPractice), *practiceDay))
        return false;
    return true;
}

NearResult FindTowersNear(const TowerDatabase& database, const TowerVisits& visits,
                          const TowerPlaces& places, const GeoPoint& origin,
                          const NearFilter& filter, std::int32_t exclude) {
    NearResult result;
    const GeographicLib::Geodesic& geodesic = GeographicLib::Geodesic::WGS84();
    const double radius = filter.radius.Metres();
    // A cheap box around the place keeps the geodesic for the few towers that may be in
    // range: a degree of latitude is never less than 110.5 km, a degree of longitude never
    // less than that times the cosine of the highest latitude the circle reaches.
    const double latitudeSpan = radius / 110500.0 + 1e-6;
    const double farthestLatitude = std::min(89.0, std::fabs(origin.latitude) + latitudeSpan);
    const double cosine = std::cos(farthestLatitude * GeographicLib::Math::degree());
    const double longitudeSpan = std::fabs(origin.latitude) + latitudeSpan >= 89.0
                                     ? 360.0
                                     : radius / (111320.0 * cosine) + 1e-6;
    for (std::int32_t tower = 0; tower < places.Count(); ++tower) {
        if (!places.HasPosition(tower)) {
            // An additional tower the log no longer visits is not a tower of this list.
            if (tower < database.GetDatabaseCount() || visits.Of(tower).Visited())
                ++result.withoutPosition;
            continue;
        }
        if (tower == exclude) continue;
        if (tower >= database.GetDatabaseCount() && !visits.Of(tower).Visited()) continue;
        const GeoPoint& point = places.At(tower);
        if (std::fabs(point.latitude - origin.latitude) > latitudeSpan) continue;
        double longitudeGap = std::fabs(point.longitude - origin.longitude);
        if (longitudeGap > 180) longitudeGap = 360 - longitudeGap;
        if (longitudeGap > longitudeSpan) continue;
        if (!filter.Accepts(database, visits, tower)) continue;
        double metres = 0, azimuth1 = 0, azimuth2 = 0;
        geodesic.Inverse(origin.latitude, origin.longitude, point.latitude, point.longitude, metres,
                         azimuth1, azimuth2);
        if (metres > radius) continue;
        const double bearing = azimuth1 < 0 ? azimuth1 + 360 : azimuth1;
        result.towers.push_back({tower, metres, bearing});
    }
    std::sort(result.towers.begin(), result.towers.end(),
              [](const NearTower& a, const NearTower& b) {
                  return a.metres != b.metres ? a.metres < b.metres : a.tower < b.tower;
              });
    return result;
}

const char* CompassPoint(double bearing) {
    static const char* const kPoints[] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW"};
    double b = std::fmod(bearing, 360.0);
    if (b < 0) b += 360;
    return kPoints[static_cast<int>(std::floor((b + 22.5) / 45.0)) % 8];
}

const char* UnitSymbol(DistanceUnit unit) {
    return unit == DistanceUnit::Miles ? "mi" : "km";
}

double InUnit(double metres, DistanceUnit unit) {
    return unit == DistanceUnit::Miles ? metres / kMetresPerMile : metres / 1000.0;
}

std::string FormatDistance(double metres, double bearing, DistanceUnit unit) {
    const double value = InUnit(metres, unit);
    char text[64];
    std::snprintf(text, sizeof text, "%.1f %s", value, UnitSymbol(unit));
    std::string result = text;
    if (value >= 0.05) result += std::string(" ") + CompassPoint(bearing);
    return result;
}

}  // namespace chimeset
