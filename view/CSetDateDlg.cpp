#include "view/CSetDateDlg.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include "common/MessageTable.h"
#include "view/CommandIds.h"
#include "view/DialogHelp.h"
#include "view/DialogUnits.h"
#include "visits/DialogInput.h"

namespace chimeset {
namespace {

// The user's short date form, with the year in full so that any year can be typed.
QString PickerFormat() {
    QString format = QLocale().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QLabel* WrappedText(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

CSetDateDlg::CSetDateDlg(Prompter& prompter, ShowHelp showHelp, QDate today, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      showHelp_(std::move(showHelp)),
      today_(today),
      picker_(new QDateEdit(this)),
      sequenceEdit_(new QLineEdit(this)),
      options_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("setDateDialog"));
    setWindowTitle(QStringLiteral("Set Date"));
    const DialogUnits units(font());

    auto* pickerText = WrappedText(
        QStringLiteral("Drop down the date box below to see a calendar. Help describes how to "
                       "use the date picker efficiently."),
        this);
    pickerText->setMinimumWidth(units.X(132));
    auto* sequenceText = WrappedText(
        QStringLiteral("Set the Sequence number to zero if this is the only tower on this "
                       "date. Use 1 - 31 if more than one tower."),
        this);
    sequenceText->setMinimumWidth(units.X(100));

    picker_->setObjectName(QStringLiteral("datePicker"));
    picker_->setCalendarPopup(true);
    picker_->setDisplayFormat(PickerFormat());
    picker_->setDateRange(QDate(1, 1, 1), QDate(4095, 12, 31));
    picker_->setDate(today_.isValid() ? today_ : QDate::currentDate());
    pickerText->setBuddy(picker_);

    sequenceEdit_->setObjectName(QStringLiteral("sequenceEdit"));
    sequenceEdit_->setText(QStringLiteral("0"));
    sequenceEdit_->setMaximumWidth(units.X(36));
    sequenceText->setBuddy(sequenceEdit_);

    static const char* const kOptionTexts[] = {"Record Full Date Information", "Record Year Only",
                                               "Record with UNKNOWN Date", "REMOVE THIS DATE"};
    static const char* const kOptionNames[] = {"fullDateOption", "yearOnlyOption",
                                               "unknownDateOption", "removeDateOption"};
    auto* layout = new QGridLayout(this);
    layout->addWidget(pickerText, 0, 0);
    layout->addWidget(sequenceText, 0, 1, 1, 2);
    layout->addWidget(picker_, 1, 0);
    layout->addWidget(sequenceEdit_, 1, 1, Qt::AlignLeft);
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(kOptionTexts[i]), this);
        button->setObjectName(QString::fromLatin1(kOptionNames[i]));
        options_->addButton(button, i);
        layout->addWidget(button, 2 + i, 0);
    }
    options_->button(kRecordFullDate)->setChecked(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("helpButton"));
    help->setAutoDefault(false);
    for (auto* button : {ok, cancel, help}) button->setMinimumWidth(units.X(48));
    layout->addWidget(ok, 2, 2);
    layout->addWidget(cancel, 3, 2);
    layout->addWidget(help, 4, 2);
    layout->setColumnStretch(0, 1);

    connect(ok, &QPushButton::clicked, this, &CSetDateDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CSetDateDlg::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        if (showHelp_) showHelp_(kDialogHelpBase + kSetDateDialog);
    });
    InstallDialogHelp(this, showHelp_, kSetDateDialog);
    // A new day starts its own count of towers.
    connect(picker_, &QDateEdit::dateChanged, this,
            [this] { sequenceEdit_->setText(QStringLiteral("0")); });
    picker_->setFocus();
}

QAbstractButton* CSetDateDlg::OptionButton(int option) const {
    return options_->button(option);
}

int CSetDateDlg::Option() const {
    return qMax(0, options_->checkedId());
}

void CSetDateDlg::SetProposal(const DateProposal& proposal) {
    const QDate shown(proposal.year, proposal.month, proposal.day);
    // The picker first: moving it resets the sequence number.
    if (!proposal.KeepsToday() && shown.isValid()) picker_->setDate(shown);
    sequenceEdit_->setText(QString::number(proposal.sequence));
    if (QAbstractButton* button = options_->button(proposal.option)) button->setChecked(true);
}

void CSetDateDlg::accept() {
    std::int32_t sequence = 0;
    const std::string text = sequenceEdit_->text().toStdString();
    if (!ParseDialogInteger(text, sequence)) {
        Notice refusal;
        refusal.text = IntegerMessage();
        refusal.icon = NoticeIcon::Exclamation;
        RefuseField(prompter_, refusal, sequenceEdit_);
        return;
    }
    if (sequence < 0 || sequence > kMaxSequence) {
        Notice refusal;
        refusal.text = IntegerRangeMessage(0, kMaxSequence);
        refusal.icon = NoticeIcon::Exclamation;
        RefuseField(prompter_, refusal, sequenceEdit_);
        return;
    }
    const QDate date = picker_->date();
    result_ = DateFromChoice(static_cast<DateOption>(Option()), date.year(), date.month(),
                             date.day(), sequence);
    QDialog::accept();
}

bool CSetDateDlg::Run(PackedDate current, PackedDate& lastEntered, PackedDate& newValue,
                      Prompter& prompter, const ShowHelp& showHelp, QDate today, QWidget* parent) {
    CSetDateDlg dialog(prompter, showHelp, today, parent);
    dialog.SetProposal(ProposeDate(current, lastEntered));
    if (dialog.exec() != QDialog::Accepted) return false;
    lastEntered = dialog.Result();
    if (dialog.Result() == current) return false;
    newValue = dialog.Result();
    return true;
}

}  // namespace chimeset
