// Reading whole numbers typed into dialog fields, and the messages that refuse them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace chimeset {

// A typed whole number: blanks around it and a sign are allowed, nothing else; false for
// any other text, the empty text, or a number that does not fit in 32 bits.
bool ParseDialogInteger(std::string_view text, std::int32_t& value);

// The refusals of a field that needs a whole number, or one within a range.
std::string IntegerMessage();
std::string IntegerRangeMessage(std::int32_t minimum, std::int32_t maximum);

}  // namespace chimeset
