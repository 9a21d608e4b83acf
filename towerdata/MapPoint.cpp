#include "towerdata/MapPoint.h"

#include <cstring>

#include "common/Text.h"

namespace chimeset {

MapPoint GridReferenceToMapPoint(std::string_view reference) {
    if (reference.size() != 8) return 0;
    const std::string upper = ToUpperAscii(reference);
    const std::int32_t e0 = ParseNumber(std::string_view(upper).substr(2, 3));
    const std::int32_t n0 = ParseNumber(std::string_view(upper).substr(5, 3));
    if (e0 < 0 || n0 < 0) return 0;
    std::uint32_t e = static_cast<std::uint32_t>(e0);
    std::uint32_t n = static_cast<std::uint32_t>(n0);
    switch (upper[0]) {
        case 'S':
            break;
        case 'T':
            e += 5000;
            break;
        case 'N':
            n += 5000;
            break;
        case 'H':
            n += 10000;
            break;
        default:
            return 0;
    }
    static const char kSquares[] = "VWXYZQRSTULMNOPFGHJKABCDE";
    const char* found = upper[1] ? std::strchr(kSquares, upper[1]) : nullptr;
    if (!found) return 0;
    const auto i = static_cast<std::uint32_t>(found - kSquares);
    e += (i % 5) * 1000;
    n += (i / 5) * 1000;
    return MakeMapPoint(e, n);
}

}  // namespace chimeset
