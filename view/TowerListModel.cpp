#include "view/TowerListModel.h"

namespace chimeset {

void TowerListModel::SetItems(QStringList items) {
    beginResetModel();
    items_ = std::move(items);
    endResetModel();
}

int TowerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QVariant TowerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= items_.size()) return {};
    if (role == Qt::DisplayRole) return items_[index.row()];
    return {};
}

int TowerListModel::FindPrefix(const QString& prefix, int start) const {
    if (prefix.isEmpty()) return -1;
    for (int row = qMax(0, start); row < items_.size(); ++row) {
        if (items_[row].startsWith(prefix, Qt::CaseInsensitive)) return row;
    }
    return -1;
}

}  // namespace chimeset
