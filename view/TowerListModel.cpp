#include "view/TowerListModel.h"

namespace chimeset {

void TowerListModel::SetRows(std::vector<std::int32_t> towers, Namer namer) {
    beginResetModel();
    towers_ = std::move(towers);
    namer_ = std::move(namer);
    endResetModel();
}

QString TowerListModel::Item(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= towers_.size() || !namer_) return {};
    const std::int32_t tower = towers_[static_cast<std::size_t>(row)];
    return tower < 0 ? QString() : namer_(tower);
}

int TowerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(towers_.size());
}

QVariant TowerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return Item(index.row());
}

int TowerListModel::FindPrefix(const QString& prefix, int start) const {
    if (prefix.isEmpty()) return -1;
    for (int row = qMax(0, start); row < rowCount(); ++row) {
        if (Item(row).startsWith(prefix, Qt::CaseInsensitive)) return row;
    }
    return -1;
}

}  // namespace chimeset
