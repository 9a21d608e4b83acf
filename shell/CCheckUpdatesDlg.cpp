#include "shell/CCheckUpdatesDlg.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <cerrno>
#include <cstdlib>

#include "common/MessageTable.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "common/qt/Codec.h"

namespace chimeset {
namespace {

constexpr std::size_t kTextBufferSize = 512;

const char* const kExplanation =
    "Make a note of the current version of the\nClangbook database extracted from Dove, then use "
    "the [Check for Updates] button to start your Internet Browser and inspect the Author's web "
    "site.\nPress F1 for Help";
const char* const kAdminAdvice =
    "You may require ADMIN privileges to be able to install any updates downloaded. Please close "
    "this program before installing a new database.";

const char* const kNoBrowser =
    "No web browser could be started. Copy this address into a web browser to see the update "
    "page:";

QLineEdit* MakeField(const QString& name, const QString& text, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setCursorPosition(0);
    return edit;
}

}  // namespace

std::int32_t ReadMachineNumber(const MachineSettings& machine, const std::string& name) {
    const std::string text(Trim(machine.GetString(name)));
    if (text.empty()) return 0;
    errno = 0;
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (end == text.c_str() || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) return 0;
    return static_cast<std::int32_t>(value);
}

std::string ReadMachineText(const MachineSettings& machine, const std::string& name) {
    std::string text = machine.GetString(name);
    const std::size_t zero = text.find('\0');
    if (zero != std::string::npos) text.erase(zero);
    if (text.size() + 1 > kTextBufferSize) return {};
    return text;
}

QUrl UpdatePageUrl(const QString& address) {
    return QUrl::fromUserInput(address.trimmed());
}

CCheckUpdatesDlg::CCheckUpdatesDlg(const MachineSettings& machine, ShowHelp showHelp,
                                   UrlOpener openUrl, QWidget* parent)
    : QDialog(parent), openUrl_(std::move(openUrl)) {
    setWindowTitle(QStringLiteral("Check for Updates"));
    if (!openUrl_)
        openUrl_ = [](const QString& address) {
            return QDesktopServices::openUrl(UpdatePageUrl(address));
        };

    // Read in this order, as the installer's records always were.
    const std::string doveDate = ReadMachineText(machine, "DoveDate");
    const std::string address = ReadMachineText(machine, "DataURL");
    const std::string update = ReadMachineText(machine, "DataUpdate");
    const std::string version =
        Format(MessageTable::Chimeset().Text(msg::kDatabaseVersionFormat).c_str(),
               ReadMachineNumber(machine, "DataVersion"));

    auto* explanation = new QLabel(QString::fromLatin1(kExplanation), this);
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignHCenter);

    versionEdit_ = MakeField(QStringLiteral("versionEdit"), FromWindows1252(version), this);
    doveDateEdit_ = MakeField(QStringLiteral("doveDateEdit"), FromWindows1252(doveDate), this);
    versionEdit_->setAlignment(Qt::AlignHCenter);
    doveDateEdit_->setAlignment(Qt::AlignHCenter);

    updateEdit_ = new QTextEdit(this);
    updateEdit_->setObjectName(QStringLiteral("updateEdit"));
    updateEdit_->setAcceptRichText(false);
    updateEdit_->setPlainText(FromWindows1252(update));
    updateEdit_->selectAll();
    updateEdit_->setAlignment(Qt::AlignHCenter);
    updateEdit_->moveCursor(QTextCursor::Start);
    updateEdit_->setReadOnly(true);
    updateEdit_->setMinimumHeight(updateEdit_->fontMetrics().lineSpacing() * 6);

    auto* internet = new QGroupBox(QStringLiteral("Internet Controls"), this);
    auto* advice = new QLabel(QString::fromLatin1(kAdminAdvice), internet);
    advice->setWordWrap(true);
    auto* addressLabel = new QLabel(QStringLiteral("Checking URL:"), internet);
    addressEdit_ = MakeField(QStringLiteral("addressEdit"), FromWindows1252(address), internet);
    addressLabel->setBuddy(addressEdit_);
    checkButton_ = new QPushButton(QStringLiteral("Check for Updates"), internet);
    checkButton_->setObjectName(QStringLiteral("checkButton"));
    checkButton_->setAutoDefault(false);
    checkButton_->setEnabled(!address.empty());
    connect(checkButton_, &QPushButton::clicked, this, &CCheckUpdatesDlg::CheckForUpdates);
    noBrowserNote_ = new QLabel(QString::fromLatin1(kNoBrowser), internet);
    noBrowserNote_->setObjectName(QStringLiteral("noBrowserNote"));
    noBrowserNote_->setWordWrap(true);
    noBrowserNote_->hide();
    pageAddress_ = MakeField(QStringLiteral("pageAddressEdit"), QString(), internet);
    noBrowserNote_->setBuddy(pageAddress_);
    pageAddress_->hide();
    auto* internetLayout = new QVBoxLayout(internet);
    internetLayout->addWidget(advice);
    internetLayout->addWidget(addressLabel);
    internetLayout->addWidget(addressEdit_);
    internetLayout->addWidget(checkButton_, 0, Qt::AlignHCenter);
    internetLayout->addWidget(noBrowserNote_);
    internetLayout->addWidget(pageAddress_);

    auto* done = new QPushButton(QStringLiteral("Done"), this);
    done->setObjectName(QStringLiteral("doneButton"));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
    InstallDialogHelp(this, showHelp, kCheckUpdatesDialog);

    auto* top = new QVBoxLayout(this);
    top->addWidget(explanation);
    top->addWidget(versionEdit_);
    top->addWidget(doveDateEdit_);
    top->addWidget(updateEdit_, 1);
    top->addWidget(internet);
    top->addWidget(done, 0, Qt::AlignHCenter);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
}

QString CCheckUpdatesDlg::VersionText() const {
    return versionEdit_->text();
}
QString CCheckUpdatesDlg::DoveDate() const {
    return doveDateEdit_->text();
}
QString CCheckUpdatesDlg::Address() const {
    return addressEdit_->text();
}
QString CCheckUpdatesDlg::UpdateText() const {
    return updateEdit_->toPlainText();
}

void CCheckUpdatesDlg::CheckForUpdates() {
    if (addressEdit_->text().isEmpty()) return;
    // Appended as it stands: the address already ends in its query.
    const QString page = addressEdit_->text() + QString::fromLatin1(kSoftwareVersionParameter);
    const bool opened = openUrl_(page);
    noBrowserNote_->setVisible(!opened);
    pageAddress_->setVisible(!opened);
    if (opened) return;
    // Ready to be copied into a browser by hand.
    pageAddress_->setText(UpdatePageUrl(page).toString());
    pageAddress_->selectAll();
    pageAddress_->setFocus();
}

void RunCheckForUpdates(const MachineSettings& machine, ShowHelp showHelp, QWidget* parent) {
    CCheckUpdatesDlg dialog(machine, std::move(showHelp), {}, parent);
    dialog.exec();
}

}  // namespace chimeset
