#include "visits/DialogInput.h"

#include "common/Text.h"

namespace chimeset {

bool ParseDialogInteger(std::string_view text, std::int32_t& value) {
    text = Trim(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return false;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{1} << 31) return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX || signedValue < INT32_MIN) return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

std::string IntegerMessage() {
    return "Please enter an integer.";
}

std::string IntegerRangeMessage(std::int32_t minimum, std::int32_t maximum) {
    return Format("Please enter an integer between %i and %i.", minimum, maximum);
}

}  // namespace chimeset
