// "Users Optional Comments": the free comment of the selected tower's visit.
#pragma once

#include <QDialog>
#include <string>

#include "common/Prompter.h"
#include "common/qt/HelpKey.h"

class QPlainTextEdit;

namespace chimeset {

class CCommentsDlg : public QDialog {
    Q_OBJECT

  public:
    // Counted as stored, a line break being two characters.
    static constexpr int kMaxCommentLength = 1024;

    CCommentsDlg(Prompter& prompter, ShowHelp showHelp, QWidget* parent = nullptr);

    // The comment in Windows-1252 with CR LF line breaks, as the log holds it.
    void SetComment(const std::string& comment);
    std::string Comment() const;

    QPlainTextEdit* Edit() const { return edit_; }

  public slots:
    // A character that the code page lacks is stored in its plain form only when the user
    // agrees; otherwise the dialog stays open with the text as typed.
    void accept() override;

  private:
    void LimitLength();

    Prompter& prompter_;
    QPlainTextEdit* edit_;
    bool limiting_ = false;
    int lengthAtStart_ = 0;
};

}  // namespace chimeset
