// "Open Your Visit Log": asks for the ID name when several users share the installation.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <string>

#include "common/qt/HelpKey.h"
#include "users/LogOpener.h"

class QLineEdit;
class QPushButton;

namespace chimeset {

// Help for the dialog is topic 0x20000 + its number.
inline constexpr std::uint32_t kOpenLogDialog = 134;

class COpenLogDlg : public QDialog {
    Q_OBJECT
  public:
    explicit COpenLogDlg(ShowHelp showHelp, QWidget* parent = nullptr);

    // The ID name as typed (upper-cased), in Windows-1252.
    std::string IdName() const;

    // File Open's question, asked with this dialog.
    static AskIdName Asker(QWidget* parent, ShowHelp showHelp);

  private slots:
    void OnHelp();

  private:
    ShowHelp showHelp_;
    QLineEdit* idNameEdit_ = nullptr;
};

}  // namespace chimeset
