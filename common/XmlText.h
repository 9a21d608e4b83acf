// Text for XML 1.0 (GPX, SVG): markup characters as entities.
#pragma once

#include <string>

namespace chimeset {

// Control characters other than tab and line ends cannot stand in XML 1.0: they are left out.
std::string XmlEscape(const std::string& utf8);

}  // namespace chimeset
