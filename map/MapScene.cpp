#include "map/MapScene.h"

#include <algorithm>
#include <cmath>

namespace chimeset {
namespace {

bool Overlaps(const GridBox& a, const GridBox& b) {
    return a.west <= b.east && b.west <= a.east && a.south <= b.north && b.south <= a.north;
}

// The screen points of a run of grid points, leaving out those within half a pixel of the
// last one kept: zoomed out, most of the coast falls on the same few pixels.
void Transform(const MapViewport& view, const GridPoint* points, std::uint32_t count,
               std::vector<ScreenPoint>& out) {
    out.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        const ScreenPoint p = view.ToScreen(points[i].easting, points[i].northing);
        if (!out.empty() && i + 1 < count) {
            const double dx = p.x - out.back().x;
            const double dy = p.y - out.back().y;
            if (dx * dx + dy * dy < 0.25) continue;
        }
        out.push_back(p);
    }
}

struct Box {
    double left, top, right, bottom;
    bool Hits(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

void DrawLabels(MapPainter& painter, const MapViewport& view, const MapTowers& towers,
                const MapSceneOptions& options, std::vector<Box>& taken) {
    if (!options.labels || !options.nameOf) return;
    const auto& all = towers.Towers();
    const GridBox visible = view.Visible();
    std::vector<std::int32_t> inView;
    towers.Index().Collect(visible, inView);
    std::vector<std::int32_t> order;
    if (options.pointer) {
        const GridPoint at = view.ToGrid(*options.pointer);
        const double reach = 80 / view.Scale();
        std::vector<std::int32_t> near;
        towers.Index().Collect(
            {at.easting - reach, at.northing - reach, at.easting + reach, at.northing + reach},
            near);
        const auto distance = [&](std::int32_t slot) {
            const GridPoint p = all[static_cast<std::size_t>(slot)].point;
            return std::hypot(p.easting - at.easting, p.northing - at.northing);
        };
        std::sort(near.begin(), near.end(),
                  [&](std::int32_t a, std::int32_t b) { return distance(a) < distance(b); });
        near.resize(std::min<std::size_t>(near.size(), 40));
        order = near;
    }
    if (const std::int32_t current = towers.Find(options.currentTower); current >= 0)
        order.insert(order.begin(), current);
    if (static_cast<int>(inView.size()) <= options.maxLabels) {
        // The towers that mean most to the user first: drawing order, backwards.
        std::sort(inView.begin(), inView.end(), std::greater<>());
        order.insert(order.end(), inView.begin(), inView.end());
    }
    const double size = 11 * options.textScale;
    for (const std::int32_t slot : order) {
        const MapTower& tower = all[static_cast<std::size_t>(slot)];
        const ScreenPoint p = view.ToScreen(tower.point.easting, tower.point.northing);
        if (p.x < 0 || p.y < 0 || p.x > view.Width() || p.y > view.Height()) continue;
        const std::string name = options.nameOf(tower.tower);
        if (name.empty()) continue;
        const double width = painter.TextWidth(name, size, false);
        const double gap = StyleOfDot(tower.look, view.Scale()).radius + 2 * options.textScale;
        const Box right{p.x + gap, p.y - size * 0.6, p.x + gap + width, p.y + size * 0.5};
        const Box left{p.x - gap - width, right.top, p.x - gap, right.bottom};
        const auto fits = [&](const Box& box) {
            if (box.left < 0 || box.right > view.Width()) return false;
            return std::none_of(taken.begin(), taken.end(),
                                [&](const Box& t) { return t.Hits(box); });
        };
        const Box* chosen = fits(right) ? &right : fits(left) ? &left : nullptr;
        if (!chosen) continue;
        taken.push_back(*chosen);
        painter.Text(chosen->left, p.y + size * 0.35, name, size, false, {30, 30, 30, 255}, true);
    }
}

Box DrawLegend(MapPainter& painter, const MapViewport& view, const MapTowers& towers,
               const MapSceneOptions& options, double top) {
    const double s = options.textScale;
    const double size = 11 * s;
    const double line = 16 * s;
    const double pad = 6 * s;
    std::vector<std::string> captions;
    std::vector<DotLook> looks;
    for (int c = kDotCategoryCount - 1; c >= 0; --c) {
        captions.push_back(DotCategoryCaption(static_cast<DotCategory>(c)));
        looks.push_back({static_cast<DotCategory>(c), false, false});
    }
    // The hollow dot only when the map has one: a database that does not say which rings are
    // unringable has none.
    const auto& placed = towers.Towers();
    if (std::any_of(placed.begin(), placed.end(),
                    [](const MapTower& tower) { return tower.look.unringable; })) {
        captions.push_back(kUnringableCaption);
        looks.push_back({DotCategory::NotVisited, false, true});
    }
    const std::int32_t notDrawn = towers.Counts().NotDrawn();
    std::string missing;
    if (notDrawn > 0)
        missing =
            std::to_string(notDrawn) + (notDrawn == 1 ? " tower" : " towers") + " not on the map";
    double width = 0;
    for (const std::string& caption : captions)
        width = std::max(width, painter.TextWidth(caption, size, false));
    if (!missing.empty()) width = std::max(width, painter.TextWidth(missing, size, false) - 18 * s);
    const double boxWidth = pad * 2 + 18 * s + width;
    const double boxHeight =
        pad * 2 + line * static_cast<double>(captions.size() + (missing.empty() ? 0 : 1));
    const double x = 8 * s;
    const double y = top + 8 * s;
    painter.Rectangle(x, y, boxWidth, boxHeight, {255, 255, 255, 225}, {150, 150, 150, 255});
    // The legend's dots are drawn at a fixed middling zoom, so that they are easy to tell apart.
    const double legendScale = 1.0 / 300;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        DotStyle style = StyleOfDot(looks[i], legendScale);
        style.radius *= s;
        style.outlineWidth *= s;
        const double cy = y + pad + line * (static_cast<double>(i) + 0.5);
        painter.Dots({{x + pad + 6 * s, cy}}, style);
        painter.Text(x + pad + 18 * s, cy + size * 0.35, captions[i], size, false,
                     {30, 30, 30, 255}, false);
    }
    if (!missing.empty()) {
        const double cy = y + pad + line * (static_cast<double>(captions.size()) + 0.5);
        painter.Text(x + pad, cy + size * 0.35, missing, size, false, {30, 30, 30, 255}, false);
    }
    (void)view;
    return {x, y, x + boxWidth, y + boxHeight};
}

}  // namespace

void MapScene::DrawGround(MapPainter& painter, const MapData& map, const MapViewport& view) {
    painter.Clear(kSeaColour);
    const GridBox visible = view.Visible();
    const auto& points = map.Points();
    std::vector<ScreenPoint> screen;
    screen.reserve(4096);
    const double coastWidth = view.Scale() > 1.0 / 100 ? 1.2 : 0.7;
    for (int level = 1; level <= 3; ++level) {
        for (const MapArea& area : map.Areas()) {
            if (area.level != level || !Overlaps(area.box, visible)) continue;
            // An area smaller than a pixel is a speck: one dot of land colour would not show.
            if (area.box.Width() * view.Scale() < 0.5 && area.box.Height() * view.Scale() < 0.5)
                continue;
            Transform(view, points.data() + area.first, area.count, screen);
            if (screen.size() < 3) continue;
            painter.Polygon(screen, level == 2 ? kSeaColour : kLandColour, kCoastColour,
                            coastWidth);
        }
    }
    const double riverWidth = std::clamp(view.Scale() * 150, 0.8, 3.0);
    for (const MapLine& line : map.Lines()) {
        if (!Overlaps(line.box, visible)) continue;
        Transform(view, points.data() + line.first, line.count, screen);
        if (screen.size() >= 2) painter.Polyline(screen, kRiverColour, riverWidth);
    }
}

void MapScene::Draw(MapPainter& painter, const MapData& map, const MapViewport& view,
                    const MapTowers& towers, const MapSceneOptions& options) {
    DrawGround(painter, map, view);

    // Dots in drawing order, one call for each run of the same look.
    const auto& all = towers.Towers();
    const double scale = view.Scale();
    std::vector<ScreenPoint> centres;
    centres.reserve(all.size());
    for (std::size_t i = 0; i < all.size();) {
        const DotLook look = all[i].look;
        DotStyle style = StyleOfDot(look, scale);
        // A poster's dots grow with it, more slowly than its text.
        style.radius *= std::sqrt(options.textScale);
        centres.clear();
        std::size_t j = i;
        for (; j < all.size() && all[j].look == look; ++j) {
            const ScreenPoint p = view.ToScreen(all[j].point.easting, all[j].point.northing);
            if (p.x < -style.radius || p.y < -style.radius || p.x > view.Width() + style.radius ||
                p.y > view.Height() + style.radius)
                continue;
            centres.push_back(p);
        }
        if (!centres.empty()) painter.Dots(centres, style);
        i = j;
    }
    if (const std::int32_t current = towers.Find(options.currentTower); current >= 0) {
        const MapTower& tower = all[static_cast<std::size_t>(current)];
        const ScreenPoint p = view.ToScreen(tower.point.easting, tower.point.northing);
        const double radius = StyleOfDot(tower.look, scale).radius * std::sqrt(options.textScale) +
                              4 * options.textScale;
        painter.Ring(p, radius, {255, 255, 255, 255}, 4 * options.textScale);
        painter.Ring(p, radius, kCurrentRingColour, 2 * options.textScale);
    }

    std::vector<Box> taken;
    double top = 0;
    if (!options.title.empty()) {
        const double size = 22 * options.textScale;
        const double width = painter.TextWidth(options.title, size, true);
        const double x = std::max(4.0, (view.Width() - width) / 2);
        painter.Text(x, 8 * options.textScale + size, options.title, size, true, {20, 20, 20, 255},
                     true);
        top = 8 * options.textScale + size * 1.3;
        if (!options.subtitle.empty()) {
            const double small = 14 * options.textScale;
            const double w2 = painter.TextWidth(options.subtitle, small, false);
            painter.Text(std::max(4.0, (view.Width() - w2) / 2), top + small, options.subtitle,
                         small, false, {40, 40, 40, 255}, true);
            top += small * 1.4;
        }
        taken.push_back({0, 0, view.Width(), top});
    }
    if (options.legend) taken.push_back(DrawLegend(painter, view, towers, options, top));
    if (!options.credit.empty()) {
        const double size = 9 * options.textScale;
        const double y = view.Height() - 6 * options.textScale;
        painter.Text(6 * options.textScale, y, options.credit, size, false, {60, 60, 60, 255},
                     true);
        taken.push_back({0, y - size * 1.2, view.Width(), view.Height()});
    }
    DrawLabels(painter, view, towers, options, taken);
}

}  // namespace chimeset
