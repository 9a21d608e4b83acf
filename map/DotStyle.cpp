#include "map/DotStyle.h"

#include <algorithm>
#include <cmath>

namespace chimeset {

DotStyle StyleOfDot(const DotLook& look, double scale) {
    // From 1 at a kilometre to the pixel up to 2 at 50 m to the pixel.
    const double grow = std::clamp(1 + std::log10(std::max(scale, 1e-9) * 1000) / 1.3, 1.0, 2.0);
    DotStyle style;
    style.outline = {255, 255, 255, 255};
    switch (look.category) {
        case DotCategory::NotVisited:
            style.fill = {120, 120, 120, 255};
            style.outline = {120, 120, 120, 0};
            style.radius = 1.3 * grow;
            break;
        case DotCategory::Visited:
            style.fill = {0, 114, 178, 255};
            style.radius = 2.6 * grow;
            break;
        case DotCategory::Quartered:
            style.fill = {230, 159, 0, 255};
            style.radius = 3.0 * grow;
            break;
        case DotCategory::Pealed:
            style.fill = {204, 121, 167, 255};
            style.outline = {90, 20, 70, 255};
            style.radius = 3.4 * grow;
            break;
    }
    if (look.additional) style.shape = DotShape::Square;
    if (look.unringable) {
        // Hollow, in the colour the dot would have been filled with: it tells apart without
        // colour, and still says what the ringer did there. Never smaller than a visited dot,
        // or the hole would not show.
        style.outline =
            look.category == DotCategory::NotVisited ? MapColour{90, 90, 90, 255} : style.fill;
        style.fill = {255, 255, 255, 0};
        style.radius = std::max(style.radius, 2.6 * grow);
        style.outlineWidth = 1.2 * grow;
    }
    return style;
}

std::string DotCategoryCaption(DotCategory category) {
    switch (category) {
        case DotCategory::NotVisited:
            return "Not visited";
        case DotCategory::Visited:
            return "Visited";
        case DotCategory::Quartered:
            return "Quarter pealed";
        case DotCategory::Pealed:
            return "Pealed";
    }
    return {};
}

}  // namespace chimeset
