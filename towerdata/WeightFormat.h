#pragma once

#include <string>
#include <string_view>

namespace chimeset {

// A tenor weight field (whole pounds) as shown: "c-q-p" hundredweight, quarters and pounds,
// or "k Kg"; empty for an empty field, and a field that is not a number as it stands.
std::string FormatWeight(std::string_view weightField, bool kilograms);

}  // namespace chimeset
