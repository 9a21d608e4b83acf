#include "map/qt/MapExport.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSaveFile>

#include "map/SvgMapPainter.h"
#include "map/qt/QtMapPainter.h"

namespace chimeset {
namespace {

constexpr int kLargestSide = 20000;

MapSceneOptions PosterOptions(const MapExportRequest& request, QSizeF size) {
    MapSceneOptions options = request.options;
    options.pointer.reset();
    // Text in proportion to the poster, as on a window of about 900 pixels.
    options.textScale = std::max(1.0, std::min(size.width(), size.height()) / 900.0);
    return options;
}

bool Commit(QSaveFile& file, QString& error) {
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace

std::optional<MapFileFormat> MapFormatOfPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png")) return MapFileFormat::Png;
    if (suffix == QLatin1String("svg")) return MapFileFormat::Svg;
    if (suffix == QLatin1String("pdf")) return MapFileFormat::Pdf;
    return std::nullopt;
}

QSize ParseMapSize(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,6})\\s*[xX]\\s*(\\d{1,6})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return {};
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) return {};
    return {width, height};
}

MapViewport PosterViewport(const MapData& map, const MapExportRequest& request, QSizeF size) {
    MapViewport view;
    view.SetSize(size.width(), size.height());
    view.Fit(request.wholeMap || request.shown.Width() <= 0 ? map.Bounds() : request.shown);
    return view;
}

bool ExportMap(const MapData& map, const MapTowers& towers, const MapExportRequest& request,
               QString& error) {
    if (!map.IsLoaded()) {
        error = QStringLiteral("the map data could not be read");
        return false;
    }
    QSaveFile file(request.path);
    // The poster appears under its name only when written in full.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    switch (request.format) {
        case MapFileFormat::Png: {
            const QSize size = request.pixels;
            if (size.isEmpty() || size.width() > kLargestSide || size.height() > kLargestSide) {
                error = QStringLiteral("the picture size is not one that can be drawn");
                file.cancelWriting();
                return false;
            }
            QImage image(size, QImage::Format_RGB32);
            if (image.isNull()) {
                error = QStringLiteral("there is not enough memory for a picture of that size");
                file.cancelWriting();
                return false;
            }
            {
                QPainter painter(&image);
                QtMapPainter target(painter);
                MapScene::Draw(target, map, PosterViewport(map, request, size), towers,
                               PosterOptions(request, size));
            }
            // A lighter compression: a poster is written in a fraction of the time for a
            // file a little larger.
            if (!image.save(&file, "PNG", 70)) {
                error = file.errorString().isEmpty()
                            ? QStringLiteral("the picture could not be written")
                            : file.errorString();
                file.cancelWriting();
                return false;
            }
            return Commit(file, error);
        }
        case MapFileFormat::Svg: {
            const QSize size = request.pixels;
            if (size.isEmpty()) {
                error = QStringLiteral("the picture size is not one that can be drawn");
                file.cancelWriting();
                return false;
            }
            SvgMapPainter target(size.width(), size.height());
            MapScene::Draw(target, map, PosterViewport(map, request, size), towers,
                           PosterOptions(request, size));
            const std::string text = target.Finish();
            if (file.write(text.data(), static_cast<qint64>(text.size())) !=
                static_cast<qint64>(text.size())) {
                error = file.errorString();
                file.cancelWriting();
                return false;
            }
            return Commit(file, error);
        }
        case MapFileFormat::Pdf: {
            QPdfWriter writer(&file);
            writer.setPageSize(request.paper);
            writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
            writer.setResolution(300);
            writer.setCreator(QStringLiteral("Chimeset"));
            writer.setTitle(QString::fromStdString(request.options.title));
            QPainter painter;
            if (!painter.begin(&writer)) {
                error = QStringLiteral("the PDF could not be started");
                file.cancelWriting();
                return false;
            }
            // Drawn at 150 units to the inch and scaled up: the dots and text keep a size
            // that reads on paper, and everything stays vectors.
            const double shrink = 2;
            painter.scale(shrink, shrink);
            const QSizeF size(writer.width() / shrink, writer.height() / shrink);
            {
                QtMapPainter target(painter);
                painter.setClipRect(QRectF(QPointF(0, 0), size));
                MapScene::Draw(target, map, PosterViewport(map, request, size), towers,
                               PosterOptions(request, size));
            }
            painter.end();
            return Commit(file, error);
        }
    }
    error = QStringLiteral("unknown format");
    file.cancelWriting();
    return false;
}

}  // namespace chimeset
