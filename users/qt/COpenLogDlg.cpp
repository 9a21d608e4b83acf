#include "users/qt/COpenLogDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "users/qt/UpperCaseValidator.h"

namespace chimeset {

COpenLogDlg::COpenLogDlg(ShowHelp showHelp, QWidget* parent)
    : QDialog(parent), showHelp_(std::move(showHelp)) {
    setObjectName(QStringLiteral("openLogDialog"));
    setWindowTitle(QStringLiteral("Open Your Visit Log"));

    auto* prompt = new QLabel(QStringLiteral("Enter your ID Name previously set up using the "
                                             "Manage Users command on the Action Menu."),
                              this);
    prompt->setObjectName(QStringLiteral("promptLabel"));
    prompt->setWordWrap(true);

    idNameEdit_ = new QLineEdit(this);
    idNameEdit_->setObjectName(QStringLiteral("idNameEdit"));
    idNameEdit_->setMaxLength(8);
    idNameEdit_->setValidator(new UpperCaseValidator(idNameEdit_));
    prompt->setBuddy(idNameEdit_);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("helpButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &COpenLogDlg::OnHelp);
    InstallHelpKey(this, [this] { OnHelp(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(idNameEdit_);
    layout->addStretch();
    layout->addWidget(buttons);

    const QFontMetrics metrics(font());
    resize(qMax(sizeHint().width(), 200 * metrics.averageCharWidth() / 4), sizeHint().height());
    idNameEdit_->setFocus();
}

std::string COpenLogDlg::IdName() const {
    return ToWindows1252(idNameEdit_->text());
}

void COpenLogDlg::OnHelp() {
    if (showHelp_) showHelp_(kDialogHelpBase + kOpenLogDialog);
}

AskIdName COpenLogDlg::Asker(QWidget* parent, ShowHelp showHelp) {
    return [parent, showHelp = std::move(showHelp)]() -> std::optional<std::string> {
        COpenLogDlg dialog(showHelp, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.IdName();
    };
}

}  // namespace chimeset
