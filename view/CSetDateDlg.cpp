#include "view/CSetDateDlg.h"

#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "view/CommandIds.h"
#include "view/DialogUnits.h"
#include "view/RefuseField.h"
#include "visits/DialogInput.h"
#include "visits/TypedDate.h"

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
      typedDate_(new QLineEdit(this)),
      typedDateProblem_(new QLabel(this)),
      options_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("setDateDialog"));
    setWindowTitle(QStringLiteral("Set Date"));
    const DialogUnits units(font());

    auto* pickerText = WrappedText(
        QStringLiteral("Drop down the date box below to see a calendar. Help describes how to "
                       "use the date picker efficiently."),
        this);
    pickerText->setMinimumWidth(units.X(132));
    // A dialog sizes itself before a wrapped label knows its width: reserve its lines.
    pickerText->setMinimumHeight(pickerText->heightForWidth(units.X(132)));
    auto* sequenceText = WrappedText(
        QStringLiteral("Set the Sequence number to zero if this is the only tower on this "
                       "date. Use 1 - 31 if more than one tower."),
        this);
    sequenceText->setMinimumWidth(units.X(100));
    sequenceText->setMinimumHeight(sequenceText->heightForWidth(units.X(100)));

    picker_->setObjectName(QStringLiteral("datePicker"));
    picker_->setCalendarPopup(true);
    picker_->setDisplayFormat(PickerFormat());
    picker_->setDateRange(QDate(1, 1, 1), QDate(4095, 12, 31));
    picker_->setDate(today_.isValid() ? today_ : QDate::currentDate());
    pickerText->setBuddy(picker_);

    typedDate_->setObjectName(QStringLiteral("typedDateEdit"));
    typedDate_->setPlaceholderText(QStringLiteral("or type a date: 12 May 2004"));
    typedDate_->setToolTip(
        QStringLiteral("Type a whole date, day first (12/05/2004, 12 May 2004 or 2004-05-12), "
                       "and press Return"));
    typedDate_->installEventFilter(this);
    picker_->installEventFilter(this);
    typedDateProblem_->setObjectName(QStringLiteral("typedDateProblem"));
    typedDateProblem_->setWordWrap(true);
    typedDateProblem_->hide();

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
    layout->addWidget(typedDate_, 2, 0);
    layout->addWidget(typedDateProblem_, 3, 0, 1, 3);
    constexpr int kFirstOptionRow = 4;
    for (int i = 0; i < 4; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(kOptionTexts[i]), this);
        button->setObjectName(QString::fromLatin1(kOptionNames[i]));
        options_->addButton(button, i);
        layout->addWidget(button, kFirstOptionRow + i, 0);
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
    layout->addWidget(ok, kFirstOptionRow, 2);
    layout->addWidget(cancel, kFirstOptionRow + 1, 2);
    layout->addWidget(help, kFirstOptionRow + 2, 2);
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
    connect(typedDate_, &QLineEdit::editingFinished, this, &CSetDateDlg::TakeTypedDate);
    setTabOrder(picker_, typedDate_);
    setTabOrder(typedDate_, sequenceEdit_);
    picker_->setFocus();
}

bool CSetDateDlg::TakeTypedDate() {
    const QString typed = typedDate_->text().trimmed();
    if (typed.isEmpty()) {
        typedDateProblem_->hide();
        return true;
    }
    const TypedDate date = ReadTypedDate(ToWindows1252(typed));
    if (!date.IsRead()) {
        typedDateProblem_->setText(FromWindows1252(date.problem));
        typedDateProblem_->show();
        return false;
    }
    picker_->setDate(QDate(date.year, date.month, date.day));
    typedDate_->clear();
    typedDateProblem_->hide();
    return true;
}

// The picker's own sections take typing a digit or a letter at a time, which turns a
// whole date into another one; typing there goes to the typed date instead. Return in the
// typed date reads it and gives the picker back the focus, so that the user sees what
// was read before OK; with nothing typed, Return is OK as anywhere else.
bool CSetDateDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == picker_) {
        const bool typing = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!typing) return false;
        typedDate_->clear();
        typedDate_->setFocus(Qt::OtherFocusReason);
        typedDate_->insert(key->text());
        return true;
    }
    if (watched == typedDate_ && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        !typedDate_->text().trimmed().isEmpty()) {
        if (TakeTypedDate()) picker_->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return QDialog::eventFilter(watched, event);
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
    // Typed text not yet read as a date must not be passed over for the picker's date.
    if (!TakeTypedDate()) {
        typedDate_->setFocus(Qt::OtherFocusReason);
        return;
    }
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
