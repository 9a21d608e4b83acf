// Joins the tower map window to the main window: opens it, keeps it on the current tower,
// carries a click on a tower back to the list, and runs Export Map.
#pragma once

#include <QObject>
#include <QPointer>

#include "map/qt/CMapWindow.h"

class QWidget;

namespace chimeset {

class CChimesetDoc;
class CChimesetView;
class MapData;

class MapWindowHost : public QObject {
    Q_OBJECT

  public:
    MapWindowHost(CChimesetDoc& doc, CChimesetView& view, const MapData& map, QWidget* owner);
    // With a map read only when first needed: the window or an export.
    MapWindowHost(CChimesetDoc& doc, CChimesetView& view, const MapData& (*map)(), QWidget* owner);

    // Actions / Tower Map: opens the window, or raises it.
    void OpenMapWindow();
    // File / Export Map...: asks for the file and writes the poster.
    void ExportMap();
    bool CanOpenMap() const;
    CMapWindow* MapWindow() const { return window_; }

  private:
    void OnCurrentTowerChanged();
    const MapData& Map();

    CChimesetDoc& doc_;
    CChimesetView& view_;
    const MapData* map_ = nullptr;
    const MapData& (*mapSource_)() = nullptr;
    QWidget* owner_;
    QPointer<CMapWindow> window_;
};

}  // namespace chimeset
