#include "view/CCommentsDlg.h"

#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <optional>

#include "common/qt/Codec.h"
#include "view/CommandIds.h"
#include "view/DialogUnits.h"

namespace chimeset {
namespace {

int StoredLength(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')));
}

}  // namespace

CCommentsDlg::CCommentsDlg(Prompter& prompter, ShowHelp showHelp, QWidget* parent)
    : QDialog(parent), prompter_(prompter), edit_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("commentsDialog"));
    setWindowTitle(QStringLiteral("Users Optional Comments"));
    const DialogUnits units(font());

    edit_->setObjectName(QStringLiteral("commentEdit"));
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit_->setTabChangesFocus(true);
    edit_->setMinimumSize(units.Size(116, 68));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    for (auto* button : {ok, cancel}) button->setMinimumWidth(units.X(48));

    auto* layout = new QGridLayout(this);
    layout->addWidget(edit_, 0, 0, 3, 1);
    layout->setRowStretch(0, 1);
    layout->addWidget(ok, 1, 1);
    layout->addWidget(cancel, 2, 1);

    connect(ok, &QPushButton::clicked, this, &CCommentsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(edit_, &QPlainTextEdit::textChanged, this, &CCommentsDlg::LimitLength);
    InstallDialogHelp(this, showHelp, kCommentsDialog);
    edit_->setFocus();
}

void CCommentsDlg::SetComment(const std::string& comment) {
    QString text = FromWindows1252(comment);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lengthAtStart_ = StoredLength(text);
    limiting_ = true;
    edit_->setPlainText(text);
    limiting_ = false;
    edit_->moveCursor(QTextCursor::End);
}

std::string CCommentsDlg::Comment() const {
    QString text = edit_->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return ToWindows1252(text);
}

void CCommentsDlg::accept() {
    const QString typed = edit_->toPlainText();
    const std::optional<std::string> agreed = TypedToWindows1252(typed, prompter_);
    if (!agreed) {
        edit_->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString stored = FromWindows1252(*agreed);
    if (stored != typed) {
        // The plain form, which may be a little longer than typed (a sign spelt out), is
        // what the user agreed to: it is not cut to the limit.
        limiting_ = true;
        edit_->setPlainText(stored);
        limiting_ = false;
    }
    QDialog::accept();
}

// Cuts what was just typed or pasted, just before the cursor, back to the limit. A longer
// comment from the log keeps its length, but cannot grow.
void CCommentsDlg::LimitLength() {
    if (limiting_) return;
    const QString text = edit_->toPlainText();
    int excess = StoredLength(text) - qMax(kMaxCommentLength, lengthAtStart_);
    if (excess <= 0) return;
    limiting_ = true;
    QTextCursor cursor = edit_->textCursor();
    const int end = cursor.position();
    int start = end;
    while (excess > 0 && start > 0) {
        --start;
        excess -= text[start] == QLatin1Char('\n') ? 2 : 1;
    }
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    edit_->setTextCursor(cursor);
    limiting_ = false;
}

}  // namespace chimeset
