// "Additional Towers": the details of a tower that the database lacks, for a new tower or
// for changing one. It gathers and checks the fields; the document stores them.
#pragma once

#include <QDialog>

#include "common/Prompter.h"
#include "common/qt/HelpKey.h"
#include "visits/CChimesetDoc.h"

class QLineEdit;
class QPushButton;

namespace chimeset {

class FieldLabel;

class AdditionalTowersDlg : public QDialog {
    Q_OBJECT

  public:
    AdditionalTowersDlg(Prompter& prompter, ShowHelp showHelp, QWidget* parent = nullptr);

    // The starting fields; the weight text as the form shows weights (pounds or kilograms).
    void SetFields(const AdditionalTowerFields& fields, const std::string& weightText);
    // What was entered; valid after OK.
    const AdditionalTowerFields& Fields() const { return fields_; }

    QLineEdit* Edit(int controlId) const;
    FieldLabel* WeightText() const { return weightText_; }
    QPushButton* ModifyButton() const { return modify_; }

  public slots:
    void accept() override;
    // The weight entry (a click on the weight text).
    void EditWeight();
    // "&Modify": the identity number becomes editable once the user confirms.
    void ModifyTbNumber();

  private:
    QLineEdit* MakeEdit(const char* name);

    Prompter& prompter_;
    ShowHelp showHelp_;
    QLineEdit* location_;
    QLineEdit* dedication_;
    QLineEdit* county_;
    QLineEdit* bells_;
    QLineEdit* osRef_;
    QLineEdit* latitude_;
    QLineEdit* longitude_;
    QLineEdit* tbNumber_;
    FieldLabel* weightText_;
    QPushButton* modify_;
    AdditionalTowerFields fields_;
};

}  // namespace chimeset
