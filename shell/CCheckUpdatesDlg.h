// Check for Updates (dialog 139): what the database installer recorded machine-wide, and
// a button that opens the installer's update page in the web browser.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <cstdint>
#include <functional>
#include <string>

#include "common/qt/HelpKey.h"

class QLabel;
class QLineEdit;
class QTextEdit;
class QPushButton;

namespace chimeset {

class MachineSettings;

inline constexpr std::uint32_t kCheckUpdatesDialog = 139;
// The program's version 2.05 as the update page expects it.
inline constexpr const char* kSoftwareVersionParameter = "&SoftVer=205";

// A value of the installer's key as a 32-bit number; 0 when it is missing or not a number.
std::int32_t ReadMachineNumber(const MachineSettings& machine, const std::string& name);
// A value of the installer's key as text up to its first zero byte; empty when it is
// missing or does not fit the 512-byte buffer it was always read into.
std::string ReadMachineText(const MachineSettings& machine, const std::string& name);

// The web address that the browser is asked to open. An installer may leave out the
// scheme ("www.example.org/..."), which the shell's open action always took as a web page.
QUrl UpdatePageUrl(const QString& address);

class CCheckUpdatesDlg : public QDialog {
    Q_OBJECT

  public:
    // True when a web browser was started on the address.
    using UrlOpener = std::function<bool(const QString& address)>;

    // openUrl defaults to the desktop's web browser.
    CCheckUpdatesDlg(const MachineSettings& machine, ShowHelp showHelp, UrlOpener openUrl = {},
                     QWidget* parent = nullptr);

    QString VersionText() const;
    QString DoveDate() const;
    QString Address() const;
    QString UpdateText() const;
    QPushButton* CheckButton() const { return checkButton_; }

    // The button "Check for Updates": the address with the version parameter. When no
    // browser can be started the dialog says so and offers the address for copying.
    void CheckForUpdates();
    QLabel* NoBrowserNote() const { return noBrowserNote_; }
    QLineEdit* PageAddress() const { return pageAddress_; }

  private:
    UrlOpener openUrl_;
    QLineEdit* versionEdit_;
    QLineEdit* doveDateEdit_;
    QLineEdit* addressEdit_;
    QTextEdit* updateEdit_;
    QPushButton* checkButton_;
    QLabel* noBrowserNote_;
    QLineEdit* pageAddress_;
};

// Command 32903: the dialog, modal.
void RunCheckForUpdates(const MachineSettings& machine, ShowHelp showHelp, QWidget* parent);

}  // namespace chimeset
