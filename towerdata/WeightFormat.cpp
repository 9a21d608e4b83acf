#include "towerdata/WeightFormat.h"

#include <cstdint>

#include "common/Text.h"

namespace chimeset {

std::string FormatWeight(std::string_view weightField, bool kilograms) {
    if (weightField.empty()) return {};
    const std::int32_t w = ParseNumber(weightField);
    // Not a number of pounds: show what the record holds rather than a made-up weight.
    if (w < 0) return std::string(weightField);
    if (kilograms) {
        // 64-bit so that heavy weights do not overflow; the same result for every weight
        // the 32-bit product could hold.
        const std::int64_t k = static_cast<std::int64_t>(w) * 45359 / 100000;
        return Format("%lld Kg", static_cast<long long>(k));
    }
    return Format("%i-%i-%i", w / 112, (w % 112) / 28, (w % 112) % 28);
}

}  // namespace chimeset
