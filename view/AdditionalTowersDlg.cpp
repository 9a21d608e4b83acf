#include "view/AdditionalTowersDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <iterator>
#include <optional>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "common/qt/SingleLineValidator.h"
#include "view/AddTowerDlg.h"
#include "view/CommandIds.h"
#include "view/DialogUnits.h"
#include "view/FieldLabel.h"
#include "view/RefuseField.h"
#include "visits/AdditionalTowerInput.h"

namespace chimeset {
namespace {

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

QLineEdit* AdditionalTowersDlg::MakeEdit(const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    // The tower's fields are stored joined by backslashes, one tower to a line: a backslash
    // typed here, or a line break, would split them.
    edit->setValidator(new SingleLineValidator(edit, QStringLiteral("\\")));
    return edit;
}

AdditionalTowersDlg::AdditionalTowersDlg(Prompter& prompter, ShowHelp showHelp, QWidget* parent)
    : QDialog(parent), prompter_(prompter), showHelp_(std::move(showHelp)) {
    setObjectName(QStringLiteral("additionalTowersDialog"));
    setWindowTitle(QStringLiteral("Additional Towers"));
    const DialogUnits units(font());

    location_ = MakeEdit("locationEdit");
    dedication_ = MakeEdit("dedicationEdit");
    county_ = MakeEdit("countyEdit");
    bells_ = MakeEdit("bellsEdit");
    bells_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), bells_));
    bells_->setMaximumWidth(units.X(32));
    osRef_ = MakeEdit("osRefEdit");
    latitude_ = MakeEdit("latitudeEdit");
    longitude_ = MakeEdit("longitudeEdit");
    tbNumber_ = MakeEdit("tbNumberEdit");
    tbNumber_->setReadOnly(true);
    for (QLineEdit* edit : {location_, dedication_, county_}) edit->setMinimumWidth(units.X(140));

    weightText_ = new FieldLabel(QStringLiteral("weightText"), this);
    weightText_->SetColours(QColor(255, 255, 255), QColor());
    weightText_->setFocusPolicy(Qt::StrongFocus);
    weightText_->setMinimumWidth(units.X(60));
    weightText_->setToolTip(QStringLiteral("Click to enter the tenor weight"));
    modify_ = new QPushButton(QStringLiteral("&Modify"), this);
    modify_->setObjectName(QStringLiteral("modifyButton"));
    modify_->setAutoDefault(false);

    auto* mandatory = new QGroupBox(QStringLiteral("Mandatory Fields"), this);
    auto* mandatoryGrid = new QGridLayout(mandatory);
    mandatoryGrid->addWidget(Caption(QStringLiteral("&Location"), location_, mandatory), 0, 0);
    mandatoryGrid->addWidget(location_, 0, 1);
    mandatoryGrid->addWidget(Caption(QStringLiteral("&Dedication"), dedication_, mandatory), 1, 0);
    mandatoryGrid->addWidget(dedication_, 1, 1);
    mandatoryGrid->addWidget(Caption(QStringLiteral("&Bells"), bells_, mandatory), 2, 0);
    mandatoryGrid->addWidget(bells_, 2, 1, Qt::AlignLeft);

    auto* optional = new QGroupBox(QStringLiteral("Optional Fields"), this);
    auto* optionalGrid = new QGridLayout(optional);
    optionalGrid->addWidget(Caption(QStringLiteral("&County"), county_, optional), 0, 0);
    optionalGrid->addWidget(county_, 0, 1, 1, 2);
    optionalGrid->addWidget(Caption(QStringLiteral("&Weight"), weightText_, optional), 1, 0);
    optionalGrid->addWidget(weightText_, 1, 1);
    optionalGrid->addWidget(Caption(QStringLiteral("&OS Ref"), osRef_, optional), 2, 0);
    optionalGrid->addWidget(osRef_, 2, 1);
    optionalGrid->addWidget(Caption(QStringLiteral("L&at/Lon"), latitude_, optional), 3, 0);
    optionalGrid->addWidget(latitude_, 3, 1);
    optionalGrid->addWidget(longitude_, 3, 2);

    auto* record = new QGroupBox(QStringLiteral("Tower Record ID"), this);
    auto* recordRow = new QHBoxLayout(record);
    recordRow->addWidget(Caption(QStringLiteral("&TB No."), tbNumber_, record));
    recordRow->addWidget(tbNumber_, 1);
    recordRow->addWidget(modify_);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancelButton"));
    auto* help = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    help->setObjectName(QStringLiteral("helpButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &AdditionalTowersDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AdditionalTowersDlg::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] {
        if (showHelp_) showHelp_(kDialogHelpBase + kAdditionalTowersDialog);
    });
    InstallDialogHelp(this, showHelp_, kAdditionalTowersDialog);

    connect(weightText_, &FieldLabel::clicked, this, &AdditionalTowersDlg::EditWeight);
    connect(modify_, &QPushButton::clicked, this, &AdditionalTowersDlg::ModifyTbNumber);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(mandatory);
    layout->addWidget(optional);
    layout->addWidget(record);
    layout->addWidget(buttons);
    // Tab follows the fields as they stand on the form, group by group.
    QWidget* const order[] = {location_, dedication_, bells_,     county_,   weightText_,
                              osRef_,    latitude_,   longitude_, tbNumber_, modify_};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    location_->setFocus();
}

QLineEdit* AdditionalTowersDlg::Edit(int controlId) const {
    switch (controlId) {
        case 1002:
            return location_;
        case 1003:
            return dedication_;
        case 1004:
            return county_;
        case 1006:
            return bells_;
        case 1007:
            return osRef_;
        case 1008:
            return latitude_;
        case 1009:
            return longitude_;
        case 1063:
            return tbNumber_;
        default:
            return nullptr;
    }
}

void AdditionalTowersDlg::SetFields(const AdditionalTowerFields& fields,
                                    const std::string& weightText) {
    fields_ = fields;
    location_->setText(FromWindows1252(fields.location));
    dedication_->setText(FromWindows1252(fields.dedication));
    county_->setText(FromWindows1252(fields.county));
    osRef_->setText(FromWindows1252(fields.osReference));
    latitude_->setText(FromWindows1252(fields.latitude));
    longitude_->setText(FromWindows1252(fields.longitude));
    bells_->setText(fields.bells > 0 ? QString::number(fields.bells) : QString());
    tbNumber_->setText(QString::number(fields.tbNumber));
    weightText_->setText(FromWindows1252(weightText));
}

void AdditionalTowersDlg::EditWeight() {
    AddTowerDlg dialog(prompter_, showHelp_, this);
    dialog.SetWeight(fields_.weightPounds);
    if (dialog.exec() != QDialog::Accepted) return;
    fields_.weightPounds = PoundsOf(dialog.Parts());
    weightText_->setText(QString::fromStdString(WeightPartsText(dialog.Parts())));
}

void AdditionalTowersDlg::ModifyTbNumber() {
    const Notice question = MessageTable::Chimeset().Make(msg::kModifyQuestion, NoticeIcon::None,
                                                          NoticeButtons::YesNo, true);
    if (prompter_.Show(question) != Answer::Yes) return;
    tbNumber_->setReadOnly(false);
    modify_->setEnabled(false);
    tbNumber_->setFocus();
    tbNumber_->selectAll();
}

void AdditionalTowersDlg::accept() {
    // Each text field as it will be stored, the user having agreed to the plain form of
    // any character that the code page lacks; the checks below see that text.
    QLineEdit* const texts[] = {location_, dedication_, county_, osRef_, latitude_, longitude_};
    std::string stored[std::size(texts)];
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        std::optional<std::string> agreed = TypedToWindows1252(texts[i]->text(), prompter_);
        if (!agreed) {
            texts[i]->setFocus(Qt::OtherFocusReason);
            return;
        }
        stored[i] = std::move(*agreed);
        const QString shown = FromWindows1252(stored[i]);
        if (shown != texts[i]->text()) texts[i]->setText(shown);
    }

    std::int32_t tbNumber = 0;
    std::int32_t bells = 0;
    const auto refused =
        CheckAdditionalTowerInput(tbNumber_->text().toStdString(), bells_->text().toStdString(),
                                  stored[0], stored[1], tbNumber, bells);
    if (refused) {
        QWidget* field = nullptr;
        switch (refused->field) {
            case TowerInputField::TbNumber:
                field = tbNumber_;
                break;
            case TowerInputField::Bells:
                field = bells_;
                break;
            case TowerInputField::Location:
                field = location_;
                break;
            default:
                field = dedication_;
                break;
        }
        RefuseField(prompter_, refused->notice, field);
        return;
    }
    fields_.location = std::move(stored[0]);
    fields_.dedication = std::move(stored[1]);
    fields_.county = std::move(stored[2]);
    fields_.osReference = std::move(stored[3]);
    fields_.latitude = std::move(stored[4]);
    fields_.longitude = std::move(stored[5]);
    fields_.bells = bells;
    fields_.tbNumber = tbNumber;
    QDialog::accept();
}

}  // namespace chimeset
