#include "shell/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "common/qt/Codec.h"
#include "view/BuiltInImages.h"
#include "view/CommandIds.h"
#include "view/DialogUnits.h"

namespace chimeset {

QString CAboutDlg::VersionText() {
    return QStringLiteral("Chimeset Version 2.05");
}

CAboutDlg::CAboutDlg(const std::string& towerDataCredit, ShowHelp showHelp, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(QStringLiteral("About Chimeset"));
    const DialogUnits units(font());

    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* title = new QLabel(VersionText(), this);
    title->setObjectName(QStringLiteral("versionLabel"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    auto* credits = new QLabel(this);
    credits->setObjectName(QStringLiteral("creditsLabel"));
    credits->setTextFormat(Qt::PlainText);
    credits->setWordWrap(true);
    credits->setText(QStringLiteral("Change Ringing Clangbook: a record of the towers where you "
                                    "have rung, with your visits, quarter peals and peals.\n\n") +
                     FromWindows1252(towerDataCredit) +
                     QStringLiteral("\n\nMap of Great Britain drawn from public coastline data.\n"
                                    "Built with the Qt toolkit, used under the GNU Lesser "
                                    "General Public License."));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1);
    layout->addWidget(title, 0, 1);
    layout->addWidget(credits, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(units.X(248));
    InstallDialogHelp(this, showHelp, kAboutDialog);
}

}  // namespace chimeset
