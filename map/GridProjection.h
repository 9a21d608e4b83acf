// Where a tower lies on the British National Grid: from its latitude and longitude (WGS84,
// as Dove's Guide gives them) through the transverse Mercator of the grid, or failing those
// from its Ordnance Survey grid reference.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "map/MapData.h"

namespace chimeset {

// A latitude or longitude in decimal degrees: an optional sign, digits and an optional
// fraction, nothing else. Empty for anything else.
std::optional<double> ParseDegrees(std::string_view text);

// WGS84 latitude and longitude to grid metres (the Ordnance Survey's Helmert shift to
// OSGB36, then the grid's projection). Empty outside the stretch of the earth the grid can
// sensibly show (roughly 44 to 66 degrees north, 16 degrees west to 8 east).
std::optional<GridPoint> ProjectWgs84(double latitude, double longitude);

// The grid's transverse Mercator alone, for latitude and longitude already on OSGB36.
GridPoint ProjectOsgb36(double latitude, double longitude);

enum class PositionSource { LatLong, GridReference, None, Impossible, Faraway };

struct TowerPosition {
    PositionSource source = PositionSource::None;
    GridPoint point;
    bool IsPlaced() const {
        return source == PositionSource::LatLong || source == PositionSource::GridReference;
    }
};

// A tower's position from its Lat, Lon and OS fields. Latitude and longitude come first; an
// OS grid reference serves when they are missing or impossible. Latitude 0 counts as
// impossible: no tower stands on the equator, and it is what a blank became somewhere.
TowerPosition PositionOfTower(std::string_view latitude, std::string_view longitude,
                              std::string_view gridReference);

}  // namespace chimeset
