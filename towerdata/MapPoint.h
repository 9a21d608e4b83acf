#pragma once

#include <cstdint>
#include <string_view>

namespace chimeset {

// A British National Grid position in 100-metre units: easting in the low 16 bits,
// northing in the high 16 bits; 0 means no position.
using MapPoint = std::uint32_t;

inline constexpr std::uint32_t MapPointEasting(MapPoint point) {
    return point & 0xFFFFu;
}
inline constexpr std::uint32_t MapPointNorthing(MapPoint point) {
    return point >> 16;
}
inline constexpr MapPoint MakeMapPoint(std::uint32_t easting, std::uint32_t northing) {
    return (easting & 0xFFFFu) | (northing << 16);
}

// The position of an 8-character grid reference such as SU123456 (either case); 0 for
// anything else, including squares outside S, T, N and H.
MapPoint GridReferenceToMapPoint(std::string_view reference);

}  // namespace chimeset
