// Draws the whole map picture, the same for the window and every poster: sea, land, lakes,
// rivers, the tower dots, the current tower's ring, place names where they fit, and the
// legend, title and credit.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "map/MapData.h"
#include "map/MapPainter.h"
#include "map/MapTowers.h"
#include "map/MapViewport.h"

namespace chimeset {

inline constexpr MapColour kSeaColour{214, 230, 242, 255};
inline constexpr MapColour kLandColour{250, 248, 240, 255};
inline constexpr MapColour kCoastColour{110, 130, 150, 255};
inline constexpr MapColour kRiverColour{150, 190, 225, 255};

struct MapSceneOptions {
    std::int32_t currentTower = -1;
    // Names go first to the towers near the pointer.
    std::optional<ScreenPoint> pointer;
    bool labels = true;
    bool legend = true;
    // Lines above the map (a poster's title) and below it (the credit), in UTF-8.
    std::string title;
    std::string subtitle;
    std::string credit;
    // A tower's name in UTF-8, for the labels.
    std::function<std::string(std::int32_t tower)> nameOf;
    // Text sizes are multiplied by this: a poster of thousands of pixels wants larger text.
    double textScale = 1;
    // At most this many names when the pointer is not near them.
    int maxLabels = 250;
};

class MapScene {
  public:
    static void Draw(MapPainter& painter, const MapData& map, const MapViewport& view,
                     const MapTowers& towers, const MapSceneOptions& options);
    // The land, lakes and rivers alone.
    static void DrawGround(MapPainter& painter, const MapData& map, const MapViewport& view);
};

}  // namespace chimeset
