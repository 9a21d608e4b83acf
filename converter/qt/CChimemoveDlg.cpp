#include "converter/qt/CChimemoveDlg.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "common/qt/TabStopDelegate.h"
#include "converter/qt/ChimemoveIcon.h"
#include "converter/qt/WrappingButton.h"

namespace chimeset {
namespace {

QString Shown(const std::string& text) {
    QString shown = FromWindows1252(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return shown;
}

// Dialog units, as the layout was drawn: a quarter of the average character width across,
// an eighth of the character height down.
class DialogUnits {
  public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString alphabet =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX_ = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
        baseY_ = metrics.height();
    }
    int X(int units) const { return units * baseX_ / 4; }
    int Y(int units) const { return units * baseY_ / 8; }

  private:
    int baseX_;
    int baseY_;
};

}  // namespace

CChimemoveDlg::CChimemoveDlg(SettingsStore& settings, Prompter& prompter, std::string programFolder,
                             std::function<std::string()> documentsFolder,
                             const std::string& userName, ShowHelp showHelp, QWidget* parent)
    : QDialog(parent),
      converter_(settings, prompter, *this, std::move(programFolder), std::move(documentsFolder)),
      showHelp_(std::move(showHelp)) {
    setObjectName(QStringLiteral("CChimemoveDlg"));
    setWindowTitle(QStringLiteral("Clangbook Log Converter"));
    setWindowIcon(ChimemoveIcon());
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);
    const DialogUnits du(font);

    userLine_ = new QLabel(this);
    userLine_->setObjectName(QStringLiteral("userLine"));
    userLine_->setTextFormat(Qt::PlainText);
    userLine_->setMinimumSize(du.X(176), du.Y(12));

    messageArea_ = new QLabel(this);
    messageArea_->setObjectName(QStringLiteral("messageArea"));
    messageArea_->setTextFormat(Qt::PlainText);
    messageArea_->setAlignment(Qt::AlignCenter);
    messageArea_->setWordWrap(true);
    messageArea_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    messageArea_->setMargin(4);
    messageArea_->setMinimumSize(du.X(176), du.Y(88));

    gatherButton_ = new WrappingButton(QStringLiteral("&Gather Data"), this);
    gatherButton_->setObjectName(QStringLiteral("gatherButton"));
    upgradeHereButton_ = new WrappingButton(QStringLiteral("&Upgrade on this machine"), this);
    upgradeHereButton_->setObjectName(QStringLiteral("upgradeHereButton"));
    upgradeExportButton_ =
        new WrappingButton(QStringLiteral("Upgrade and &Export to another machine"), this);
    upgradeExportButton_->setObjectName(QStringLiteral("upgradeExportButton"));
    for (QPushButton* button : {gatherButton_, upgradeHereButton_, upgradeExportButton_}) {
        button->setFixedSize(du.X(48), du.Y(48));
    }
    upgradeHereButton_->setEnabled(false);
    upgradeExportButton_->setEnabled(false);

    progressList_ = new QListWidget(this);
    progressList_->setObjectName(QStringLiteral("progressList"));
    progressList_->setSelectionMode(QAbstractItemView::NoSelection);
    progressList_->setSortingEnabled(false);
    progressList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    progressList_->setItemDelegate(new TabStopDelegate(du.X(32), progressList_));
    progressList_->setMinimumSize(du.X(176), du.Y(32));

    doneButton_ = new QPushButton(QStringLiteral("Done"), this);
    doneButton_->setObjectName(QStringLiteral("doneButton"));
    doneButton_->setDefault(true);
    helpButton_ = new QPushButton(QStringLiteral("&Help"), this);
    helpButton_->setObjectName(QStringLiteral("helpButton"));
    for (QPushButton* button : {doneButton_, helpButton_}) button->setFixedSize(du.X(48), du.Y(16));

    auto* conversion = new QHBoxLayout;
    conversion->addWidget(gatherButton_);
    conversion->addStretch();
    conversion->addWidget(upgradeHereButton_);
    conversion->addStretch();
    conversion->addWidget(upgradeExportButton_);

    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(doneButton_);
    closing->addSpacing(du.X(8));
    closing->addWidget(helpButton_);
    closing->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(du.X(8), du.Y(4), du.X(8), du.Y(4));
    layout->setSpacing(du.Y(4));
    layout->addWidget(userLine_);
    layout->addWidget(messageArea_, 3);
    layout->addSpacing(du.Y(4));
    layout->addLayout(conversion);
    layout->addSpacing(du.Y(9));
    layout->addWidget(progressList_, 1);
    layout->addLayout(closing);

    connect(gatherButton_, &QPushButton::clicked, this, &CChimemoveDlg::OnGatherData);
    connect(upgradeHereButton_, &QPushButton::clicked, this, &CChimemoveDlg::OnUpgradeHere);
    connect(upgradeExportButton_, &QPushButton::clicked, this, &CChimemoveDlg::OnUpgradeExport);
    connect(doneButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(helpButton_, &QPushButton::clicked, this, &CChimemoveDlg::OnHelp);
    InstallHelpKey(this, [this] { OnHelp(); });

    messageArea_->setText(Shown(LogConverter::Banner()));
    userLine_->setText(QStringLiteral("Windows User Name : ") + FromWindows1252(userName));
    resize(minimumSizeHint());
}

void CChimemoveDlg::OnGatherData() {
    converter_.OnGatherData();
}
void CChimemoveDlg::OnUpgradeHere() {
    converter_.OnUpgradeHere();
}
void CChimemoveDlg::OnUpgradeExport() {
    converter_.OnUpgradeExport();
}

void CChimemoveDlg::OnHelp() {
    if (showHelp_) showHelp_(kDialogHelpBase + kDialogId);
}

void CChimemoveDlg::ClearList() {
    progressList_->clear();
}

void CChimemoveDlg::AddListLine(const std::string& line) {
    progressList_->addItem(FromWindows1252(line));
    progressList_->scrollToBottom();
}

void CChimemoveDlg::SetMessageArea(const std::string& text) {
    messageArea_->setText(Shown(text));
}

void CChimemoveDlg::EnableGather(bool enabled) {
    gatherButton_->setEnabled(enabled);
    if (!enabled && !doneButton_->hasFocus()) doneButton_->setFocus();
}

void CChimemoveDlg::EnableConversion(bool enabled) {
    upgradeHereButton_->setEnabled(enabled);
    upgradeExportButton_->setEnabled(enabled);
    if (enabled) upgradeHereButton_->setFocus();
}

}  // namespace chimeset
