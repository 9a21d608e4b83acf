// The items of the tower list, filled in one go: thousands of towers without thousands of
// widgets, and a snapshot that stays as filled until the next fill, like a list box's items.
#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace chimeset {

class TowerListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    explicit TowerListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void SetItems(QStringList items);
    const QStringList& Items() const { return items_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The first row from `start` on whose text begins with the prefix, ignoring case; -1 for none.
    int FindPrefix(const QString& prefix, int start = 0) const;

  private:
    QStringList items_;
};

}  // namespace chimeset
