#include "view/TowerListBox.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QVBoxLayout>

#include "view/TowerListModel.h"

namespace chimeset {

TowerListBox::TowerListBox(QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      list_(new QListView(this)),
      model_(new TowerListModel(this)) {
    edit_->setObjectName(QStringLiteral("towerEdit"));
    list_->setObjectName(QStringLiteral("towerListView"));
    list_->setModel(model_);
    // Every row has the same height, so the view never measures thousands of rows.
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setFocusPolicy(Qt::ClickFocus);
    setFocusProxy(edit_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addWidget(list_, 1);

    connect(edit_, &QLineEdit::textEdited, this, &TowerListBox::OnTextEdited);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnListCurrentChanged(current); });
    edit_->installEventFilter(this);
}

void TowerListBox::SetRows(std::vector<std::int32_t> towers,
                           std::function<QString(std::int32_t)> namer) {
    updating_ = true;
    model_->SetRows(std::move(towers), std::move(namer));
    currentRow_ = -1;
    edit_->clear();
    updating_ = false;
}

int TowerListBox::Count() const {
    return model_->rowCount();
}

QString TowerListBox::ItemText(int row) const {
    return model_->Item(row);
}

void TowerListBox::SetCurrentRow(int row) {
    ShowRow(row, true);
}

void TowerListBox::ShowRow(int row, bool setEditText) {
    if (row < 0 || row >= model_->rowCount()) row = -1;
    updating_ = true;
    currentRow_ = row;
    if (row < 0) {
        list_->selectionModel()->clear();
        if (setEditText) edit_->clear();
    } else {
        const QModelIndex index = model_->index(row);
        list_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        list_->scrollTo(index);
        if (setEditText) {
            edit_->setText(model_->Item(row));
            edit_->selectAll();
        }
    }
    updating_ = false;
}

void TowerListBox::ChooseRow(int row, bool setEditText) {
    if (row < 0 || row >= model_->rowCount()) return;
    const bool changed = row != currentRow_;
    ShowRow(row, setEditText);
    if (changed) emit currentRowChanged(row);
}

void TowerListBox::OnTextEdited(const QString& text) {
    const int row = model_->FindPrefix(text);
    if (row >= 0) ChooseRow(row, false);
}

void TowerListBox::OnListCurrentChanged(const QModelIndex& current) {
    if (updating_ || !current.isValid()) return;
    ChooseRow(current.row(), true);
}

bool TowerListBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int count = model_->rowCount();
    if (count == 0) return false;
    const int page = qMax(1, list_->viewport()->height() / qMax(1, list_->sizeHintForRow(0)) - 1);
    int row = currentRow_;
    switch (key->key()) {
        case Qt::Key_Up:
            row = row < 0 ? 0 : row - 1;
            break;
        case Qt::Key_Down:
            row = row + 1;
            break;
        case Qt::Key_PageUp:
            row = row < 0 ? 0 : row - page;
            break;
        case Qt::Key_PageDown:
            row = row < 0 ? page : row + page;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (currentRow_ >= 0) ShowRow(currentRow_, true);
            return currentRow_ >= 0;
        default:
            return false;
    }
    ChooseRow(qBound(0, row, count - 1), true);
    return true;
}

}  // namespace chimeset
