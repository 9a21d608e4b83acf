#include "grabs/qt/TowerSelection.h"

#include <QAbstractButton>

#include "view/CChimesetView.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

int PositionOf(const CChimesetDoc& doc, std::int32_t tower) {
    for (std::int32_t position = 0; position < doc.GetListCount(); ++position)
        if (doc.ListItemTower(position) == tower) return position;
    return -1;
}

}  // namespace

bool SelectTowerInView(CChimesetView& view, std::int32_t tower) {
    const CChimesetDoc& doc = view.Document();
    if (tower < 0 || tower >= doc.Database().GetTowerCount()) return false;
    int position = PositionOf(doc, tower);
    if (position < 0) {
        // As the user would: the All Dove button, which lists every tower.
        if (auto* allTowers = qobject_cast<QAbstractButton*>(view.Control(kFilterAllTowers)))
            allTowers->click();
        position = PositionOf(doc, tower);
    }
    if (position < 0) return false;
    view.SelectPosition(position);
    return true;
}

}  // namespace chimeset
