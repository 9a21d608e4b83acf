// The towers within a radius of a place, nearest first, with distance and bearing. No Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grabs/TowerPlaces.h"
#include "towerdata/TowerDetails.h"

namespace chimeset {

class TowerDatabase;
class TowerVisits;

enum class DistanceUnit { Miles, Kilometres };

struct Radius {
    double value = 0;
    DistanceUnit unit = DistanceUnit::Miles;
    double Metres() const;
};

// "10mi", "10 mi", "16km", "2.5 miles": a number above 0 and a unit. On failure error says
// what is wrong.
std::optional<Radius> ParseRadius(std::string_view text, std::string& error);

// Which towers the list keeps besides the radius. New conditions go here, each with its
// test in Accepts.
struct NearFilter {
    Radius radius{10, DistanceUnit::Miles};
    bool unvisitedOnly = false;  // "not yet visited"
    std::int32_t minBells = 0;   // "at least N bells"; 0 keeps every tower
    // "ringable only": leaves out the rings known to be unringable; a tower the database says
    // nothing of stays, as the ringer cannot tell it apart either.
    bool ringableOnly = false;
    // "practice on <day>": only the towers whose practice night names that day.
    std::optional<Weekday> practiceDay;

    bool Accepts(const TowerDatabase& database, const TowerVisits& visits,
                 std::int32_t tower) const;
};

struct NearTower {
    std::int32_t tower = -1;
    double metres = 0;
    double bearing = 0;  // degrees from true north, 0 to 360, from the place to the tower
};

struct NearResult {
    std::vector<NearTower> towers;     // nearest first
    std::int32_t withoutPosition = 0;  // towers that could not be placed, so not measured
};

// Every tower of places within the filter's radius of origin that the filter accepts,
// sorted by distance (ties by tower index). exclude (a tower index) is left out: the
// tower the list is about.
NearResult FindTowersNear(const TowerDatabase& database, const TowerVisits& visits,
                          const TowerPlaces& places, const GeoPoint& origin,
                          const NearFilter& filter, std::int32_t exclude = -1);

// The 8-point compass point of a bearing: "N", "NE", ... "NW".
const char* CompassPoint(double bearing);
// "3.2 mi NE", "5.1 km SW"; a distance under 0.05 has no bearing ("0.0 mi").
std::string FormatDistance(double metres, double bearing, DistanceUnit unit);
const char* UnitSymbol(DistanceUnit unit);
double InUnit(double metres, DistanceUnit unit);

}  // namespace chimeset
