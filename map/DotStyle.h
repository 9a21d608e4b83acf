// How a tower's dot looks, decided in one place: by what the user did there, for the window,
// the posters and the legend alike.
#pragma once

#include <string>

#include "map/MapPainter.h"

namespace chimeset {

// In drawing order: a later category is drawn over an earlier one.
enum class DotCategory : std::uint8_t { NotVisited, Visited, Quartered, Pealed };
inline constexpr int kDotCategoryCount = 4;

struct DotLook {
    DotCategory category = DotCategory::NotVisited;
    bool additional = false;  // a tower the user added, drawn square
    bool unringable = false;  // its bells cannot be rung: drawn hollow
};
inline bool operator==(const DotLook& a, const DotLook& b) {
    return a.category == b.category && a.additional == b.additional && a.unringable == b.unringable;
}
inline bool operator!=(const DotLook& a, const DotLook& b) {
    return !(a == b);
}

// The style at a zoom (pixels per metre): dots grow a little as the view closes in.
// Blue, orange and reddish purple stay apart for the common colour-vision deficiencies, and
// differ in size as well as colour.
DotStyle StyleOfDot(const DotLook& look, double scale);
// The caption of a category in the legend.
std::string DotCategoryCaption(DotCategory category);
// The legend's caption of the hollow dots.
inline constexpr const char* kUnringableCaption = "Unringable";

// The ring round the current tower.
inline constexpr MapColour kCurrentRingColour{0, 0, 0, 255};

}  // namespace chimeset
