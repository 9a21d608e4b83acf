// The tower list: an edit field over an always-open list, as a "simple" combo box looks.
// Typing in the field selects the first tower whose name begins with the typed text; the
// arrow and page keys in the field move through the list.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

class QLineEdit;
class QListView;
class QModelIndex;

namespace chimeset {

class TowerListModel;

class TowerListBox : public QWidget {
    Q_OBJECT

  public:
    explicit TowerListBox(QWidget* parent = nullptr);

    // Replaces every row: the tower of each, and how a tower is named; nothing is selected
    // afterwards.
    void SetRows(std::vector<std::int32_t> towers, std::function<QString(std::int32_t)> namer);
    int Count() const;
    QString ItemText(int row) const;
    // Selects a row (-1: none) without reporting it as the user's choice.
    void SetCurrentRow(int row);
    int CurrentRow() const { return currentRow_; }

    QLineEdit* Edit() const { return edit_; }
    QListView* List() const { return list_; }

  signals:
    // The user chose another row: by mouse, by key, or by typing the start of a name.
    void currentRowChanged(int row);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnTextEdited(const QString& text);
    void OnListCurrentChanged(const QModelIndex& current);
    void ShowRow(int row, bool setEditText);
    void ChooseRow(int row, bool setEditText);

    QLineEdit* edit_;
    QListView* list_;
    TowerListModel* model_;
    int currentRow_ = -1;
    bool updating_ = false;
};

}  // namespace chimeset
