// "Users Optional Comments": the free comment of the selected tower's visit.
#pragma once

#include <QDialog>
#include <string>

#include "users/qt/ShowHelp.h"

class QPlainTextEdit;

namespace chimeset {

class CCommentsDlg : public QDialog {
    Q_OBJECT

  public:
    // Counted as stored, a line break being two characters.
    static constexpr int kMaxCommentLength = 1024;

    explicit CCommentsDlg(ShowHelp showHelp, QWidget* parent = nullptr);

    // The comment in Windows-1252 with CR LF line breaks, as the log holds it.
    void SetComment(const std::string& comment);
    std::string Comment() const;

    QPlainTextEdit* Edit() const { return edit_; }

  private:
    void LimitLength();

    QPlainTextEdit* edit_;
    bool limiting_ = false;
    int lengthAtStart_ = 0;
};

}  // namespace chimeset
