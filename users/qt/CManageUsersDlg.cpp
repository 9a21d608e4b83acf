#include "users/qt/CManageUsersDlg.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "common/qt/SingleLineValidator.h"
#include "common/qt/TabStopDelegate.h"
#include "users/qt/UpperCaseValidator.h"

namespace chimeset {
namespace {

// Past the widest ID name, so that the long names line up whatever the IDs.
qreal IdColumnWidth(const QFontMetrics& metrics) {
    int widest = 0;
    for (const char c : MessageTable::Chimeset().Text(msg::kIdCharacters))
        widest = qMax(widest, metrics.horizontalAdvance(QLatin1Char(c)));
    return 8 * widest + 2 * metrics.averageCharWidth();
}

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CManageUsersDlg::CManageUsersDlg(const UsersEnvironment& environment, ShowHelp showHelp,
                                 QWidget* parent)
    : QDialog(parent),
      prompter_(environment.prompter),
      showHelp_(std::move(showHelp)),
      rules_(environment, *this) {
    setObjectName(QStringLiteral("manageUsersDialog"));
    setWindowTitle(QStringLiteral("Add a User"));

    auto* intro =
        new QLabel(QStringLiteral("Please click the HELP button and read the instructions before "
                                  "attempting to use the controls on this screen."),
                   this);
    intro->setObjectName(QStringLiteral("introLabel"));
    intro->setWordWrap(true);

    auto* existing = new QGroupBox(QStringLiteral("Existing Users"), this);
    existing->setObjectName(QStringLiteral("existingUsersGroup"));
    usersList_ = new QListWidget(existing);
    usersList_->setObjectName(QStringLiteral("usersList"));
    usersList_->setSelectionMode(QAbstractItemView::SingleSelection);
    usersList_->setSortingEnabled(false);
    usersList_->setItemDelegate(
        new TabStopDelegate(IdColumnWidth(usersList_->fontMetrics()), usersList_));
    removeButton_ = MakeButton(QStringLiteral("Remove"), "removeButton", existing);
    exportButton_ = MakeButton(QStringLiteral("Export"), "exportButton", existing);
    removeButton_->setEnabled(false);
    exportButton_->setEnabled(false);
    auto* existingButtons = new QVBoxLayout;
    existingButtons->addWidget(removeButton_);
    existingButtons->addWidget(exportButton_);
    existingButtons->addStretch();
    auto* existingLayout = new QHBoxLayout(existing);
    existingLayout->addWidget(usersList_, 1);
    existingLayout->addLayout(existingButtons);

    auto* details = new QGroupBox(QStringLiteral("New Users Details"), this);
    details->setObjectName(QStringLiteral("newUserGroup"));
    auto* idLabel = new QLabel(
        QStringLiteral("ID Name, 4-8 Characters\nSomething memorable used to Open your Logbook"),
        details);
    idNameEdit_ = new QLineEdit(details);
    idNameEdit_->setObjectName(QStringLiteral("idNameEdit"));
    idNameEdit_->setValidator(new UpperCaseValidator(idNameEdit_));
    idLabel->setBuddy(idNameEdit_);
    auto* longLabel = new QLabel(QStringLiteral("Users Full Name for Print Header"), details);
    longNameEdit_ = new QLineEdit(details);
    longNameEdit_->setObjectName(QStringLiteral("longNameEdit"));
    // The long name is stored as a settings entry and heads printed pages: one line.
    longNameEdit_->setValidator(new SingleLineValidator(longNameEdit_));
    longLabel->setBuddy(longNameEdit_);
    addNewButton_ = MakeButton(QStringLiteral("Add New"), "addNewButton", details);
    addNewButton_->setDefault(true);
    // "&&" is a literal ampersand, so the button reads "Import & Add".
    importAddButton_ = MakeButton(QStringLiteral("Import && Add"), "importAddButton", details);
    auto* detailsLayout = new QGridLayout(details);
    detailsLayout->addWidget(idLabel, 0, 0);
    detailsLayout->addWidget(idNameEdit_, 1, 0);
    detailsLayout->addWidget(addNewButton_, 1, 1);
    detailsLayout->addWidget(longLabel, 2, 0);
    detailsLayout->addWidget(longNameEdit_, 3, 0);
    detailsLayout->addWidget(importAddButton_, 3, 1);
    detailsLayout->setColumnStretch(0, 1);

    helpButton_ = MakeButton(QStringLiteral("Help"), "helpButton", this);
    doneButton_ = MakeButton(QStringLiteral("Done"), "doneButton", this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(helpButton_);
    bottom->addStretch();
    bottom->addWidget(doneButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(existing, 1);
    layout->addWidget(details);
    layout->addLayout(bottom);

    setTabOrder(usersList_, removeButton_);
    setTabOrder(removeButton_, exportButton_);
    setTabOrder(exportButton_, idNameEdit_);
    setTabOrder(idNameEdit_, longNameEdit_);
    setTabOrder(longNameEdit_, addNewButton_);
    setTabOrder(addNewButton_, importAddButton_);
    setTabOrder(importAddButton_, helpButton_);
    setTabOrder(helpButton_, doneButton_);

    connect(addNewButton_, &QPushButton::clicked, this, &CManageUsersDlg::OnAddNew);
    connect(importAddButton_, &QPushButton::clicked, this, &CManageUsersDlg::OnImportAndAdd);
    connect(removeButton_, &QPushButton::clicked, this, &CManageUsersDlg::OnRemove);
    connect(exportButton_, &QPushButton::clicked, this, &CManageUsersDlg::OnExport);
    connect(usersList_, &QListWidget::itemSelectionChanged, this,
            &CManageUsersDlg::OnSelectionChanged);
    connect(helpButton_, &QPushButton::clicked, this, &CManageUsersDlg::OnHelp);
    connect(doneButton_, &QPushButton::clicked, this, &QDialog::accept);
    InstallHelpKey(this, [this] { OnHelp(); });

    // 288 by 280 dialog units: a quarter of the average character width across, an eighth
    // of the line height down.
    const QFontMetrics metrics(font());
    resize(qMax(sizeHint().width(), 288 * metrics.averageCharWidth() / 4),
           qMax(sizeHint().height(), 280 * metrics.height() / 8));

    rules_.Open();
    idNameEdit_->setFocus();
}

void CManageUsersDlg::AddUser(bool imported) {
    // A letter of the long name that the code page lacks is stored in its plain form only
    // when the user agrees; the ID name's own check refuses any such character.
    const std::optional<std::string> longName =
        TypedToWindows1252(longNameEdit_->text(), prompter_);
    if (!longName) {
        longNameEdit_->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString shown = FromWindows1252(*longName);
    if (shown != longNameEdit_->text()) longNameEdit_->setText(shown);
    rules_.AddUser(imported, ToWindows1252(idNameEdit_->text()), *longName);
}

void CManageUsersDlg::OnAddNew() {
    AddUser(false);
}

void CManageUsersDlg::OnImportAndAdd() {
    AddUser(true);
}

void CManageUsersDlg::OnRemove() {
    rules_.Remove(SelectedRow());
}

void CManageUsersDlg::OnExport() {
    rules_.Export(SelectedRow());
}

void CManageUsersDlg::OnSelectionChanged() {
    rules_.SelectionChanged(SelectedRow());
}

void CManageUsersDlg::OnHelp() {
    if (showHelp_) showHelp_(kDialogHelpBase + kManageUsersDialog);
}

int CManageUsersDlg::SelectedRow() const {
    const auto selected = usersList_->selectedItems();
    return selected.isEmpty() ? -1 : usersList_->row(selected.front());
}

void CManageUsersDlg::AppendRow(const std::string& text) {
    usersList_->addItem(FromWindows1252(text));
}

void CManageUsersDlg::DeleteRow(std::size_t row) {
    const QSignalBlocker blocker(usersList_);
    delete usersList_->takeItem(static_cast<int>(row));
}

void CManageUsersDlg::SetEntryButtonsEnabled(bool enabled) {
    removeButton_->setEnabled(enabled);
    exportButton_->setEnabled(enabled);
}

void CManageUsersDlg::ClearSelection() {
    const QSignalBlocker blocker(usersList_);
    usersList_->clearSelection();
    usersList_->setCurrentRow(-1);
}

void CManageUsersDlg::ClearEntryFields() {
    idNameEdit_->clear();
    longNameEdit_->clear();
}

}  // namespace chimeset
