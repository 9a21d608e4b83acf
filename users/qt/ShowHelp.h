// Opens the help topic of a context number; the main program plugs in its help window.
#pragma once

#include <cstdint>
#include <functional>

namespace chimeset {

using ShowHelp = std::function<void(std::uint32_t context)>;

}  // namespace chimeset
