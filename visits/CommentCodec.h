// Comments are held and stored as Base64 of their bytes, so that a multi-line comment
// holds no backslash and no line end in the log.
#pragma once

#include <string>
#include <string_view>

namespace chimeset {

std::string EncodeComment(std::string_view comment);
// Decodes up to the first "=" or character outside the alphabet; never fails.
std::string DecodeComment(std::string_view encoded);

}  // namespace chimeset
