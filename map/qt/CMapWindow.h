// The tower map window: every tower of the database as a dot on the British Isles, in the
// colours of what the user rang there, with a legend; the current tower ringed; a click
// chooses a tower in the main window.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "map/MapTowers.h"

class QCheckBox;
class QLabel;

namespace chimeset {

class CChimesetDoc;
class MapCanvas;
class MapData;

class CMapWindow : public QWidget {
    Q_OBJECT

  public:
    CMapWindow(const CChimesetDoc& doc, const MapData& map, QWidget* parent = nullptr);

    // Takes in what changed in the document: the log, its dates, the shown list. Cheap when
    // nothing did.
    void Refresh();
    // Rings the document's current tower and brings it into view.
    void ShowCurrentTower();

    MapCanvas* Canvas() const { return canvas_; }
    QCheckBox* ShownListOnly() const { return shownOnly_; }
    const MapTowers& Towers() const { return towers_; }
    // The counts line under the map.
    QString CountsText() const;

  signals:
    // The user clicked a tower's dot.
    void towerChosen(std::int32_t tower);
    void exportRequested();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void Rebuild();

    const CChimesetDoc& doc_;
    const MapData& map_;
    MapCanvas* canvas_ = nullptr;
    QCheckBox* shownOnly_ = nullptr;
    QLabel* counts_ = nullptr;
    MapTowers towers_;
    // What the towers were last built from.
    std::vector<DotCategory> builtCategories_;
    std::vector<std::int32_t> builtShown_;
    std::int32_t builtTowerCount_ = -1;
    bool builtShownOnly_ = false;
    bool built_ = false;
};

}  // namespace chimeset
