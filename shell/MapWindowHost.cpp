#include "shell/MapWindowHost.h"

#include <QMessageBox>
#include <QStandardPaths>

#include "common/CodePage.h"
#include "common/FileFormats.h"
#include "map/qt/CMapWindow.h"
#include "map/qt/MapCanvas.h"
#include "map/qt/MapExport.h"
#include "map/qt/MapExportDlg.h"
#include "view/CChimesetView.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

MapWindowHost::MapWindowHost(CChimesetDoc& doc, CChimesetView& view, const MapData& map,
                             QWidget* owner)
    : MapWindowHost(doc, view, nullptr, owner) {
    map_ = &map;
}

MapWindowHost::MapWindowHost(CChimesetDoc& doc, CChimesetView& view, const MapData& (*map)(),
                             QWidget* owner)
    : QObject(owner), doc_(doc), view_(view), mapSource_(map), owner_(owner) {
    connect(&view_, &CChimesetView::currentTowerChanged, this,
            &MapWindowHost::OnCurrentTowerChanged);
    connect(&view_, &CChimesetView::mapWindowRequested, this, &MapWindowHost::OpenMapWindow);
    // A date set or cleared changes a dot's colour; a log opened or closed changes them all.
    connect(&view_, &CChimesetView::visitorRecordsShown, this, [this] {
        if (window_ && window_->isVisible()) window_->Refresh();
    });
}

const MapData& MapWindowHost::Map() {
    if (!map_) map_ = &mapSource_();
    return *map_;
}

bool MapWindowHost::CanOpenMap() const {
    return doc_.IsDatabaseLoaded();
}

void MapWindowHost::OpenMapWindow() {
    if (!window_) {
        window_ = new CMapWindow(doc_, Map(), owner_);
        window_->setAttribute(Qt::WA_DeleteOnClose);
        connect(window_, &CMapWindow::towerChosen, this,
                [this](std::int32_t tower) { view_.SelectTower(tower); });
        connect(window_, &CMapWindow::exportRequested, this, &MapWindowHost::ExportMap);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void MapWindowHost::OnCurrentTowerChanged() {
    if (window_ && window_->isVisible()) window_->ShowCurrentTower();
}

void MapWindowHost::ExportMap() {
    QWidget* parent = window_ && window_->isVisible() ? static_cast<QWidget*>(window_) : owner_;
    MapExportDlg dialog(window_ != nullptr && window_->isVisible(), parent);
    dialog.SetPath(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) +
                   QStringLiteral("/Tower map.png"));
    if (dialog.exec() != QDialog::Accepted) return;

    MapTowers towers;
    const MapTowers* drawn = &towers;
    MapExportRequest request;
    request.path = dialog.Path();
    request.format = *MapFormatOfPath(request.path);
    request.pixels = dialog.Pixels();
    request.paper = dialog.Paper();
    request.wholeMap = dialog.WholeMap() || !window_;
    if (window_) {
        window_->Refresh();
        drawn = &window_->Towers();
        request.shown = window_->Canvas()->Viewport().Visible();
        request.options.currentTower = window_->Canvas()->CurrentTower();
    } else {
        towers.Build(doc_.Database(), CategoriesOf(doc_), Map().Bounds());
    }
    const MapPosterText text = PosterTextOf(doc_);
    request.options.title = text.title;
    request.options.subtitle = text.subtitle;
    request.options.credit = text.credit;
    request.options.nameOf = [this](std::int32_t tower) {
        return Windows1252ToUtf8(doc_.Database().GetTowerField(tower, kLocn));
    };
    QString error;
    if (!chimeset::ExportMap(Map(), *drawn, request, error))
        QMessageBox::warning(
            parent, QStringLiteral("Export Map"),
            QStringLiteral("The map could not be written to %1:\n%2").arg(request.path, error));
}

}  // namespace chimeset
