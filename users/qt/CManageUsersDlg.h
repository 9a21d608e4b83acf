// "Add a User": the Manage Users screen. It gathers input and shows the register; the rules
// live in ManageUsers.
#pragma once

#include <QDialog>
#include <cstdint>

#include "common/qt/HelpKey.h"
#include "users/ManageUsers.h"
#include "users/ManageUsersView.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace chimeset {

// Help for the dialog is topic 0x20000 + its number.
inline constexpr std::uint32_t kManageUsersDialog = 133;

class CManageUsersDlg : public QDialog, private ManageUsersView {
    Q_OBJECT
  public:
    CManageUsersDlg(const UsersEnvironment& environment, ShowHelp showHelp,
                    QWidget* parent = nullptr);

  private slots:
    void OnAddNew();
    void OnImportAndAdd();
    void OnRemove();
    void OnExport();
    void OnSelectionChanged();
    void OnHelp();

  private:
    void AppendRow(const std::string& text) override;
    void DeleteRow(std::size_t row) override;
    void SetEntryButtonsEnabled(bool enabled) override;
    void ClearSelection() override;
    void ClearEntryFields() override;

    int SelectedRow() const;
    void AddUser(bool imported);

    Prompter& prompter_;
    ShowHelp showHelp_;
    QListWidget* usersList_ = nullptr;
    QPushButton* removeButton_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QLineEdit* idNameEdit_ = nullptr;
    QLineEdit* longNameEdit_ = nullptr;
    QPushButton* addNewButton_ = nullptr;
    QPushButton* importAddButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    ManageUsers rules_;
};

}  // namespace chimeset
