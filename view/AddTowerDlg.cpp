#include "view/AddTowerDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "view/CommandIds.h"
#include "view/DialogUnits.h"
#include "view/RefuseField.h"

namespace chimeset {

AddTowerDlg::AddTowerDlg(Prompter& prompter, ShowHelp showHelp, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      cwt_(new QLineEdit(this)),
      qtr_(new QLineEdit(this)),
      lbs_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("addTowerDialog"));
    setWindowTitle(QStringLiteral("Add Tower"));
    const DialogUnits units(font());

    auto* group = new QGroupBox(QStringLiteral("Tenor Weight"), this);
    auto* grid = new QGridLayout(group);
    const auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    const struct {
        QLineEdit* edit;
        const char* label;
        const char* name;
    } fields[] = {{cwt_, "CWT", "cwtEdit"}, {qtr_, "QTR", "qtrEdit"}, {lbs_, "LBS", "lbsEdit"}};
    int column = 0;
    for (const auto& field : fields) {
        auto* label = new QLabel(QString::fromLatin1(field.label), group);
        label->setAlignment(Qt::AlignCenter);
        field.edit->setObjectName(QString::fromLatin1(field.name));
        field.edit->setValidator(digits);
        field.edit->setText(QStringLiteral("0"));
        field.edit->setAlignment(Qt::AlignRight);
        field.edit->setMinimumWidth(units.X(28));
        grid->addWidget(label, 0, column);
        grid->addWidget(field.edit, 1, column);
        ++column;
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AddTowerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AddTowerDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
    InstallDialogHelp(this, showHelp, kAddTowerDialog);
    cwt_->setFocus();
    cwt_->selectAll();
}

void AddTowerDlg::SetWeight(std::int32_t pounds) {
    parts_ = SplitPounds(pounds);
    cwt_->setText(QString::number(parts_.cwt));
    qtr_->setText(QString::number(parts_.qtr));
    lbs_->setText(QString::number(parts_.lbs));
    cwt_->selectAll();
}

void AddTowerDlg::accept() {
    TenorWeightParts parts;
    const auto refused = CheckTenorWeightInput(
        cwt_->text().toStdString(), qtr_->text().toStdString(), lbs_->text().toStdString(), parts);
    if (refused) {
        QLineEdit* field = refused->field == TowerInputField::Cwt   ? cwt_
                           : refused->field == TowerInputField::Qtr ? qtr_
                                                                    : lbs_;
        RefuseField(prompter_, refused->notice, field);
        return;
    }
    parts_ = parts;
    QDialog::accept();
}

}  // namespace chimeset
