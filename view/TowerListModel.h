// The rows of the tower list: the tower of each row, fixed when the list is filled, like a list
// box's items, and its name read only when the row is shown or searched. Thousands of towers
// cost neither thousands of widgets nor thousands of strings.
#pragma once

#include <QAbstractListModel>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

namespace chimeset {

class TowerListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    // A tower's name as its row shows it.
    using Namer = std::function<QString(std::int32_t tower)>;

    explicit TowerListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // The tower of every row, -1 for a row that stands for none and shows empty.
    void SetRows(std::vector<std::int32_t> towers, Namer namer);
    QString Item(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The first row from `start` on whose text begins with the prefix, ignoring case; -1 for none.
    int FindPrefix(const QString& prefix, int start = 0) const;

  private:
    std::vector<std::int32_t> towers_;
    Namer namer_;
};

}  // namespace chimeset
