// "Set Date": the visit, quarter-peal or peal date of the selected tower, as a full date
// with a sequence number, a year alone, an unknown date, or no date.
#pragma once

#include <QDate>
#include <QDialog>

#include "common/Prompter.h"
#include "common/qt/HelpKey.h"
#include "visits/DateProposal.h"
#include "visits/PackedDate.h"

class QAbstractButton;
class QButtonGroup;
class QDateEdit;
class QLabel;
class QLineEdit;

namespace chimeset {

class CSetDateDlg : public QDialog {
    Q_OBJECT

  public:
    CSetDateDlg(Prompter& prompter, ShowHelp showHelp, QDate today, QWidget* parent = nullptr);

    // The starting option, picker date and sequence number.
    void SetProposal(const DateProposal& proposal);
    // The chosen date; valid after the dialog closed with OK.
    PackedDate Result() const { return result_; }

    int Option() const;
    QDateEdit* DatePicker() const { return picker_; }
    QLineEdit* SequenceEdit() const { return sequenceEdit_; }
    // A whole date typed in one go: the picker's own sections take a digit or a letter at
    // a time, so typing "12 May 2004" there goes astray.
    QLineEdit* TypedDateEdit() const { return typedDate_; }
    QLabel* TypedDateProblem() const { return typedDateProblem_; }
    QAbstractButton* OptionButton(int option) const;

    // Set Date as the form runs it for one field: the proposal from the field's value and
    // the date entered last; on OK the date entered last becomes the result. True, with the
    // new value, when the field changed.
    static bool Run(PackedDate current, PackedDate& lastEntered, PackedDate& newValue,
                    Prompter& prompter, const ShowHelp& showHelp, QDate today, QWidget* parent);

  public slots:
    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Sets the picker to the typed date, or leaves it and shows why the text is not one.
    // True when there is no typed text left to read.
    bool TakeTypedDate();

    Prompter& prompter_;
    ShowHelp showHelp_;
    QDate today_;
    QDateEdit* picker_;
    QLineEdit* sequenceEdit_;
    QLineEdit* typedDate_;
    QLabel* typedDateProblem_;
    QButtonGroup* options_;
    PackedDate result_ = kNoDate;
};

}  // namespace chimeset
