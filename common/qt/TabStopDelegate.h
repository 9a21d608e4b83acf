// Draws list lines with tab characters expanded to fixed tab stops.
#pragma once

#include <QStyledItemDelegate>

namespace chimeset {

class TabStopDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    TabStopDelegate(qreal tabStop, QObject* parent = nullptr);

    qreal TabStop() const { return tabStop_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    qreal tabStop_;
};

}  // namespace chimeset
