// "Add Tower": the tenor weight in hundredweight, quarters and pounds.
#pragma once

#include <QDialog>

#include "common/Prompter.h"
#include "common/qt/HelpKey.h"
#include "visits/AdditionalTowerInput.h"

class QLineEdit;

namespace chimeset {

class AddTowerDlg : public QDialog {
    Q_OBJECT

  public:
    AddTowerDlg(Prompter& prompter, ShowHelp showHelp, QWidget* parent = nullptr);

    void SetWeight(std::int32_t pounds);
    // Valid after OK.
    const TenorWeightParts& Parts() const { return parts_; }

    QLineEdit* CwtEdit() const { return cwt_; }
    QLineEdit* QtrEdit() const { return qtr_; }
    QLineEdit* LbsEdit() const { return lbs_; }

  public slots:
    void accept() override;

  private:
    Prompter& prompter_;
    QLineEdit* cwt_;
    QLineEdit* qtr_;
    QLineEdit* lbs_;
    TenorWeightParts parts_;
};

}  // namespace chimeset
