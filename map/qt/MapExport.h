// Writes the map as a poster: PNG (a chosen pixel size), SVG or PDF (a chosen paper size).
// A file is written in full or not at all.
#pragma once

#include <QPageSize>
#include <QSize>
#include <QString>
#include <optional>

#include "map/MapData.h"
#include "map/MapScene.h"
#include "map/MapTowers.h"
#include "map/MapViewport.h"

namespace chimeset {

enum class MapFileFormat { Png, Svg, Pdf };

// The format a file name asks for by its ending; empty for any other.
std::optional<MapFileFormat> MapFormatOfPath(const QString& path);
// "2000x3000" to a size; an invalid size for anything else (or a side beyond 20,000).
QSize ParseMapSize(const QString& text);

struct MapExportRequest {
    QString path;
    MapFileFormat format = MapFileFormat::Png;
    // The picture's size in pixels (PNG, SVG).
    QSize pixels{2000, 3000};
    // The paper of a PDF, portrait.
    QPageSize paper{QPageSize::A2};
    // The whole map, or the view given (its centre and what it showed).
    bool wholeMap = true;
    GridBox shown;
    // Title, subtitle, credit, current tower, names.
    MapSceneOptions options;
};

// Writes the poster; false with the reason in error when it could not (nothing is left behind).
bool ExportMap(const MapData& map, const MapTowers& towers, const MapExportRequest& request,
               QString& error);

// The view a poster of the given size shows.
MapViewport PosterViewport(const MapData& map, const MapExportRequest& request, QSizeF size);

}  // namespace chimeset
