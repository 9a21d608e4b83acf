#include "view/CChimesetView.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "output/qt/ClipboardExportCommand.h"
#include "output/qt/TowerSearchCommand.h"
#include "view/AdditionalTowersDlg.h"
#include "view/CCommentsDlg.h"
#include "view/CMapPanel.h"
#include "view/CSetDateDlg.h"
#include "view/CommandIds.h"
#include "view/DialogUnits.h"
#include "view/FieldLabel.h"
#include "view/TowerDetailsDisplay.h"
#include "view/TowerListBox.h"
#include "visits/BrowserRules.h"

namespace chimeset {
namespace {

const QColor kWhite(255, 255, 255);
const QColor kReadOnlyYellow(255, 255, 204);
const QColor kAdditionalBlue(0, 0, 255);

enum ControlId : int {
    kIdMap = 1000,
    kIdTowerList = 1001,
    kIdLocation = 1002,
    kIdDedication = 1003,
    kIdCounty = 1004,
    kIdWeight = 1005,
    kIdBells = 1006,
    kIdOSRef = 1007,
    kIdLatitude = 1008,
    kIdLongitude = 1009,
    kIdUserName = 1010,
    kIdVisitDate = 1011,
    kIdQuarterDate = 1012,
    kIdPealDate = 1013,
    kIdComment = 1014,
};

// The form's list buttons: their control numbers for the document's lists and orders.
struct FilterButton {
    ListFilter filter;
    int id;
    const char* caption;
    const char* name;
};
constexpr FilterButton kFilterButtons[] = {{kFilterAllTowers, 1015, "&All Dove", "allDoveButton"},
                                           {kFilterVisited, 1016, "&My Visits", "myVisitsButton"},
                                           {kFilterQuartered, 1017, "&Quarted", "quartedButton"},
                                           {kFilterPealed, 1018, "&Pealed", "pealedButton"}};
struct OrderButton {
    ListOrder order;
    int id;
    const char* caption;
    const char* name;
};
constexpr OrderButton kOrderButtons[] = {
    {kOrderAlphabetical, 1026, "Alpha&betical Order", "alphabeticalButton"},
    {kOrderDate, 1027, "&Date Order", "dateOrderButton"}};

// A comment as the field shows it: its line breaks, whatever their form, as lines.
QString CommentText(const std::string& comment) {
    QString text = FromWindows1252(comment);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// A tool tip shows "&" as it is, so the doubled form reads back as the text. A name that
// looks like markup is escaped, so that it shows as typed.
QString ToolTipText(const std::string& doubled) {
    QString text = FromWindows1252(doubled);
    text.replace(QLatin1String("&&"), QLatin1String("&"));
    if (Qt::mightBeRichText(text))
        return QStringLiteral("<p style='white-space:pre'>%1</p>").arg(text.toHtmlEscaped());
    return text;
}

}  // namespace

CChimesetView::CChimesetView(CChimesetDoc& doc, Prompter& prompter, ShowHelp showHelp,
                             QWidget* parent)
    : QWidget(parent), doc_(doc), prompter_(prompter), showHelp_(std::move(showHelp)) {
    setObjectName(QStringLiteral("chimesetView"));
    BuildForm();
    doc_.AddListener(this);
}

CChimesetView::~CChimesetView() {
    doc_.RemoveListener(this);
}

FieldLabel* CChimesetView::AddField(const DialogUnits& units, int id, const char* name, int width,
                                    int height) {
    auto* field = new FieldLabel(QString::fromLatin1(name), this);
    field->setMinimumSize(units.Size(width, height));
    field->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    controls_[id] = field;
    return field;
}

void CChimesetView::BuildForm() {
    const DialogUnits units(font());

    map_ = new CMapPanel(this);
    map_->setMinimumSize(map_->minimumSizeHint().expandedTo(units.Size(148, 248)));
    controls_[kIdMap] = map_;
    connect(map_, &CMapPanel::doubleClicked, this, &CChimesetView::mapWindowRequested);

    // --- the tower and its details ---
    auto* details = new QGroupBox(QStringLiteral("Extract from Dove's Guide"), this);
    details->setObjectName(QStringLiteral("detailsGroup"));
    towerList_ = new TowerListBox(details);
    towerList_->setObjectName(QStringLiteral("towerCombo"));
    towerList_->setMinimumSize(units.Size(160, 112));
    controls_[kIdTowerList] = towerList_;
    connect(towerList_, &TowerListBox::currentRowChanged, this, &CChimesetView::OnSelectionChange);

    auto* location = AddField(units, kIdLocation, "locationField", 116, 12);
    auto* dedication = AddField(units, kIdDedication, "dedicationField", 116, 12);
    auto* county = AddField(units, kIdCounty, "countyField", 116, 12);
    auto* weight = AddField(units, kIdWeight, "weightField", 76, 12);
    auto* bells = AddField(units, kIdBells, "bellsField", 32, 12);
    auto* osRef = AddField(units, kIdOSRef, "osRefField", 76, 12);
    auto* latitude = AddField(units, kIdLatitude, "latitudeField", 48, 12);
    auto* longitude = AddField(units, kIdLongitude, "longitudeField", 48, 12);
    for (int id = kIdLocation; id <= kIdLongitude; ++id) {
        auto* field = static_cast<FieldLabel*>(controls_[id]);
        field->setParent(details);
        connect(field, &FieldLabel::clicked, this, &CChimesetView::OnClickTowerDetail);
        if (const char* tip = DetailToolTip(id); *tip) field->setToolTip(QString::fromLatin1(tip));
    }
    location->setFocusPolicy(Qt::StrongFocus);
    for (FieldLabel* field : {location, dedication, county})
        field->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    auto* detailsGrid = new QGridLayout(details);
    detailsGrid->addWidget(towerList_, 0, 0, 1, 2);
    detailsGrid->setRowStretch(0, 1);
    const auto row = [&](int at, const char* caption, std::initializer_list<QWidget*> fields) {
        auto* label = new QLabel(QString::fromLatin1(caption), details);
        label->setTextFormat(Qt::PlainText);
        detailsGrid->addWidget(label, at, 0);
        auto* line = new QHBoxLayout;
        for (QWidget* field : fields) line->addWidget(field);
        if (fields.size() > 1 ||
            (*fields.begin())->sizePolicy().horizontalPolicy() != QSizePolicy::Expanding)
            line->addStretch(1);
        detailsGrid->addLayout(line, at, 1);
    };
    row(1, "Location", {location});
    row(2, "Dedication", {dedication});
    row(3, "County", {county});
    row(4, "Bells", {weight, bells});
    row(5, "OS Ref", {osRef});
    row(6, "Lat/Lon", {latitude, longitude});
    detailsGrid->setColumnStretch(1, 1);
    detailsDisplay_ = new TowerDetailsDisplay(this, details, detailsGrid, 7);

    // --- filters and orders ---
    // The button groups know each button by the list or order it stands for.
    filters_ = new QButtonGroup(this);
    filters_->setExclusive(true);
    for (const auto& b : kFilterButtons) {
        auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setCheckable(true);
        button->setAutoDefault(false);
        button->setMinimumSize(units.Size(40, 16));
        filters_->addButton(button, b.filter);
        controls_[b.id] = button;
    }
    connect(filters_, &QButtonGroup::idClicked, this,
            [this](int filter) { OnFilterButton(static_cast<ListFilter>(filter)); });

    orders_ = new QButtonGroup(this);
    for (const auto& b : kOrderButtons) {
        auto* button = new QRadioButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        orders_->addButton(button, b.order);
        controls_[b.id] = button;
    }
    connect(orders_, &QButtonGroup::idClicked, this,
            [this](int order) { OnOrderButton(static_cast<ListOrder>(order)); });

    auto* showRecords = new QLabel(QStringLiteral("Show Records"), this);
    showRecords->setTextFormat(Qt::PlainText);
    auto* filterGrid = new QGridLayout;
    filterGrid->setSpacing(0);
    filterGrid->addWidget(filters_->button(kFilterAllTowers), 0, 0);
    filterGrid->addWidget(showRecords, 0, 1, 1, 2, Qt::AlignCenter);
    filterGrid->addWidget(filters_->button(kFilterVisited), 1, 0);
    filterGrid->addWidget(filters_->button(kFilterQuartered), 1, 1);
    filterGrid->addWidget(filters_->button(kFilterPealed), 1, 2);
    auto* orderColumn = new QVBoxLayout;
    orderColumn->setContentsMargins(units.X(36), 0, 0, 0);
    orderColumn->addWidget(orders_->button(kOrderAlphabetical));
    orderColumn->addWidget(orders_->button(kOrderDate));

    // --- the user's records ---
    auto* records = new QGroupBox(QStringLiteral("Visitor Records"), this);
    records->setObjectName(QStringLiteral("recordsGroup"));
    auto* userName = AddField(units, kIdUserName, "userNameField", 108, 12);
    auto* visitDate = AddField(units, kIdVisitDate, "visitDateField", 60, 12);
    auto* quarterDate = AddField(units, kIdQuarterDate, "quarterDateField", 60, 12);
    auto* pealDate = AddField(units, kIdPealDate, "pealDateField", 60, 12);
    auto* comment = AddField(units, kIdComment, "commentField", 108, 80);
    for (FieldLabel* field : {userName, visitDate, quarterDate, pealDate, comment}) {
        field->setParent(records);
        field->setAlignment(Qt::AlignCenter);
    }
    for (FieldLabel* field : {visitDate, quarterDate, pealDate, comment})
        field->setFocusPolicy(Qt::StrongFocus);
    comment->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    comment->setWordWrap(true);
    comment->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    comment->setMargin(units.X(2));
    userName->setText(QStringLiteral("User Log File Not Loaded"));
    comment->setText(QStringLiteral("Comments"));
    connect(userName, &FieldLabel::clicked, this, &CChimesetView::OnClickUserName);
    connect(visitDate, &FieldLabel::clicked, this, &CChimesetView::OnClickVisitDate);
    connect(quarterDate, &FieldLabel::clicked, this, &CChimesetView::OnClickQuarterDate);
    connect(pealDate, &FieldLabel::clicked, this, &CChimesetView::OnClickPealDate);
    connect(comment, &FieldLabel::clicked, this, &CChimesetView::OnClickComment);

    auto* recordsGrid = new QGridLayout(records);
    recordsGrid->addWidget(userName, 0, 0, 1, 2);
    const auto recordRow = [&](int at, const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromLatin1(caption), records);
        label->setTextFormat(Qt::PlainText);
        recordsGrid->addWidget(label, at, 0);
        recordsGrid->addWidget(field, at, 1);
    };
    recordRow(1, "Visited", visitDate);
    recordRow(2, "Quartered", quarterDate);
    recordRow(3, "Pealed", pealDate);
    recordsGrid->addWidget(comment, 4, 0, 1, 2);
    recordsGrid->setRowStretch(4, 1);

    auto* right = new QVBoxLayout;
    right->addLayout(filterGrid);
    right->addLayout(orderColumn);
    right->addWidget(records, 1);

    auto* layout = new QHBoxLayout(this);
    // The map takes a share of any room the window gains; at the starting size it has none.
    map_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(map_, 1);
    layout->addWidget(details, 1);
    layout->addLayout(right);

    setTabOrder(towerList_, location);
    setTabOrder(location, filters_->button(kFilterAllTowers));
}

QWidget* CChimesetView::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

QWidget* CChimesetView::Control(ListFilter filter) const {
    return filters_->button(filter);
}

QWidget* CChimesetView::Control(ListOrder order) const {
    return orders_->button(order);
}

// ------------------------------------------------------------------ updates

void CChimesetView::OnInitialUpdate() {
    emit fitFrameRequested();
    if (printing_) printing_->LoadSettings();
    OnDocumentUpdate(kHintContentsChanged);
}

void CChimesetView::OnDocumentUpdate(UpdateHint hint) {
    if (hint == kHintListRebuilt) {
        if (doc_.GetFilter() != kFilterAllTowers) RefillList();
        return;
    }
    auto* userName = static_cast<FieldLabel*>(Control(kIdUserName));
    if (doc_.IsLogOpen()) {
        userName->setText(FromWindows1252(doc_.UserName()));
    } else {
        userName->setText(QStringLiteral("No Log File Open"));
    }
    pageHeader_ = PageHeaderFor(doc_);
    if (printing_) printing_->SetPageHeader(pageHeader_);
    const bool logOpen = doc_.IsLogOpen();
    for (const ListFilter filter : {kFilterVisited, kFilterQuartered, kFilterPealed})
        Control(filter)->setEnabled(logOpen);
    for (const ListOrder order : {kOrderAlphabetical, kOrderDate})
        Control(order)->setEnabled(logOpen);
    Control(kFilterAllTowers)->setEnabled(true);
    doc_.SetFilter(kFilterAllTowers);
    doc_.SetOrder(kOrderAlphabetical);
    filters_->button(kFilterAllTowers)->setChecked(true);
    orders_->button(kOrderAlphabetical)->setChecked(true);
    lastDateEntered_ = kNoDate;
    currentVisitDate_ = kNoDate;
    if (doc_.IsDatabaseLoaded()) {
        RefillList();
    } else {
        towerList_->SetCurrentRow(-1);
        UpdateColours();
        UpdateStatus();
    }
}

void CChimesetView::RefillList() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool allTowers = doc_.GetFilter() == kFilterAllTowers;
    std::vector<std::int32_t> towers = doc_.ListTowers();
    listCount_ = static_cast<int>(towers.size());
    std::vector<MapPoint> points;
    if (!allTowers) {
        points.reserve(towers.size());
        for (const std::int32_t tower : towers)
            points.push_back(tower < 0 ? 0 : doc_.Database().GetMapPoint(tower));
    }
    const TowerDatabase& database = doc_.Database();
    towerList_->SetRows(std::move(towers), [&database](std::int32_t tower) {
        return FromWindows1252(database.FormatTowerName(tower));
    });
    towerList_->SetCurrentRow(listCount_ > 0 ? 0 : -1);
    currentIndex_ = 0;
    doc_.SelectListItem(0);
    search_.ResetStart();
    ShowTowerDetails();
    ShowVisitorRecords();
    if (!allTowers) map_->ShowPositions(points);
    QApplication::restoreOverrideCursor();
}

void CChimesetView::ShowTowerDetails() {
    const std::string texts[] = {doc_.CurrentLocation(), doc_.CurrentDedication(),
                                 doc_.CurrentCounty(),   doc_.CurrentWeight(),
                                 doc_.CurrentBells(),    doc_.CurrentOSRef(),
                                 doc_.CurrentLatitude(), doc_.CurrentLongitude()};
    for (int id = kIdLocation; id <= kIdLongitude; ++id)
        static_cast<FieldLabel*>(Control(id))->setText(FromWindows1252(texts[id - kIdLocation]));
    // The location and dedication tips show the whole name, however long.
    for (const int id : {int(kIdLocation), int(kIdDedication)})
        Control(id)->setToolTip(ToolTipText(DetailToolTipText(texts[id - kIdLocation])));
    detailsDisplay_->Show(doc_.Database().DetailsOf(doc_.CurrentTower()));
    map_->ShowPosition(doc_.CurrentMapPoint());
    emit currentTowerChanged(doc_.CurrentTower());
    UpdateColours();
    UpdateStatus();
}

void CChimesetView::ShowVisitorRecords() {
    currentVisitDate_ = doc_.EntryVisitDate();
    static_cast<FieldLabel*>(Control(kIdVisitDate))
        ->setText(QString::fromStdString(FormatPackedDate(currentVisitDate_)));
    static_cast<FieldLabel*>(Control(kIdQuarterDate))
        ->setText(QString::fromStdString(FormatPackedDate(doc_.EntryQuarterDate())));
    static_cast<FieldLabel*>(Control(kIdPealDate))
        ->setText(QString::fromStdString(FormatPackedDate(doc_.EntryPealDate())));
    static_cast<FieldLabel*>(Control(kIdComment))->setText(CommentText(doc_.EntryComment()));
    UpdateStatus();
    emit visitorRecordsShown();
}

void CChimesetView::UpdateColours() {
    const bool loaded = doc_.IsDatabaseLoaded();
    const QColor detailText = doc_.IsCurrentTowerAdditional() ? kAdditionalBlue : QColor();
    for (int id = kIdLocation; id <= kIdLongitude; ++id)
        static_cast<FieldLabel*>(Control(id))->SetColours(loaded ? kWhite : QColor(), detailText);
    QColor records;
    if (doc_.IsLogOpen()) records = doc_.IsReadOnly() ? kReadOnlyYellow : kWhite;
    for (int id = kIdUserName; id <= kIdComment; ++id)
        static_cast<FieldLabel*>(Control(id))->SetColours(records, QColor());
}

QString CChimesetView::StatusPaneText() const {
    return QString::fromStdString(chimeset::StatusPaneText(doc_, currentIndex_, listCount_));
}

void CChimesetView::UpdateStatus() {
    const QString text = StatusPaneText();
    if (!text.isEmpty()) emit statusPaneTextChanged(text);
    emit commandStateChanged();
}

// ------------------------------------------------------------------ user actions

void CChimesetView::OnSelectionChange(int row) {
    currentIndex_ = row;
    doc_.SelectListItem(currentIndex_);
    ShowVisitorRecords();
    ShowTowerDetails();
}

void CChimesetView::SelectPosition(int position) {
    towerList_->SetCurrentRow(position);
    OnSelectionChange(position);
}

bool CChimesetView::SelectTower(std::int32_t tower) {
    const auto find = [&] {
        for (int position = 0; position < listCount_; ++position)
            if (doc_.ListItemTower(position) == tower) return position;
        return -1;
    };
    int position = find();
    if (position < 0 && doc_.GetFilter() != kFilterAllTowers) {
        // A tower outside the shown list: show them all, as a click on All Dove would.
        filters_->button(kFilterAllTowers)->setChecked(true);
        OnFilterButton(kFilterAllTowers);
        position = find();
    }
    if (position < 0) return false;
    SelectPosition(position);
    return true;
}

void CChimesetView::OnFilterButton(ListFilter filter) {
    if (doc_.SetFilter(filter)) RefillList();
}

void CChimesetView::OnOrderButton(ListOrder order) {
    if (doc_.SetOrder(order)) RefillList();
}

bool CChimesetView::RefuseReadOnly() {
    if (!doc_.IsReadOnly()) return false;
    prompter_.Show(MessageTable::Chimeset().Make(msg::kReadOnlyLog));
    return true;
}

// An empty list selects no tower: a date entered then would belong to nothing, so the
// dialog is not offered.
bool CChimesetView::HasTowerToRecord() const {
    return doc_.CurrentTower() >= 0;
}

bool CChimesetView::RunSetDate(PackedDate current, PackedDate& newValue) {
    // The document's clock; the system's date should it give none.
    const LocalDate d = doc_.Today();
    QDate today(d.year, d.month, d.day);
    if (!today.isValid()) today = QDate::currentDate();
    return CSetDateDlg::Run(current, lastDateEntered_, newValue, prompter_, showHelp_, today,
                            window());
}

void CChimesetView::OnClickUserName() {
    prompter_.Show(MessageTable::Chimeset().Make(msg::kChangeUser));
}

void CChimesetView::OnClickVisitDate() {
    if (!doc_.IsLogOpen() || RefuseReadOnly() || !HasTowerToRecord()) return;
    currentVisitDate_ = doc_.EntryVisitDate();
    PackedDate date = kNoDate;
    if (RunSetDate(currentVisitDate_, date)) doc_.UpdateVisitDate(date);
    ShowVisitorRecords();
}

void CChimesetView::OnClickPealOrQuarter(bool peal) {
    if (!doc_.IsLogOpen() || RefuseReadOnly() || !HasTowerToRecord()) return;
    PackedDate date = kNoDate;
    if (RunSetDate(peal ? doc_.EntryPealDate() : doc_.EntryQuarterDate(), date)) {
        // A quarter peal or peal there means the tower was visited that day.
        if (currentVisitDate_ == kNoDate) doc_.UpdateVisitDate(date);
        if (peal)
            doc_.UpdatePealDate(date);
        else
            doc_.UpdateQuarterDate(date);
    }
    ShowVisitorRecords();
}

void CChimesetView::OnClickQuarterDate() {
    OnClickPealOrQuarter(false);
}

void CChimesetView::OnClickPealDate() {
    OnClickPealOrQuarter(true);
}

void CChimesetView::OnClickComment() {
    if (currentVisitDate_ == kNoDate || RefuseReadOnly()) return;
    CCommentsDlg dialog(prompter_, showHelp_, window());
    dialog.SetComment(doc_.EntryComment());
    if (dialog.exec() == QDialog::Accepted) doc_.UpdateComment(dialog.Comment());
    ShowVisitorRecords();
}

void CChimesetView::OnClickTowerDetail() {
    if (!doc_.IsCurrentTowerAdditional() || !doc_.IsLogOpen() || RefuseReadOnly()) return;
    EditAdditionalTower(doc_.CurrentTower());
    ShowTowerDetails();
}

bool CChimesetView::EditAdditionalTower(std::int32_t tower) {
    AdditionalTowersDlg dialog(prompter_, showHelp_, window());
    AdditionalTowerFields fields;
    std::string weightText;
    if (tower < 0) {
        fields.tbNumber = doc_.NextAdditionalTowerId();
    } else {
        fields = doc_.CurrentTowerFields();
        weightText = doc_.CurrentWeight();
    }
    dialog.SetFields(fields, weightText);
    if (dialog.exec() != QDialog::Accepted) return false;
    std::int32_t changed = tower;
    if (tower < 0) {
        if (!doc_.AddNewAdditionalTower(dialog.Fields())) return false;
        // A new tower takes the last tower index.
        changed = doc_.Database().GetTowerCount() - 1;
    } else {
        doc_.ReplaceAdditionalTowerDetails(tower, dialog.Fields());
    }
    // The document's update put the list back at its top: keep the tower in sight instead.
    const std::int32_t position = ListPositionOfTower(doc_, changed);
    if (position >= 0) SelectPosition(position);
    return true;
}

// ------------------------------------------------------------------ commands

bool CChimesetView::CanCopyToClipboard() const {
    return doc_.IsLogOpen() && doc_.GetFilter() != kFilterAllTowers;
}

// Printing needs its settings store; the other output commands are always there.
bool CChimesetView::OutputCommandBuilt(int command) const {
    switch (command) {
        case kCmdFilePrint:
        case kCmdFilePrintPreview:
        case kCmdSetPrintContents:
        case kCmdCopyToClipboard:
            return printing_ != nullptr;
        default:
            return true;
    }
}

void CChimesetView::SetPrintSettingsStore(SettingsStore& store) {
    PrintHost host;
    // The read-only switch to My Visits: the buttons and the list follow, as for a click.
    host.showList = [this](ListFilter filter, ListOrder order) {
        filters_->button(filter)->setChecked(true);
        orders_->button(order)->setChecked(true);
        const bool filterChanged = doc_.SetFilter(filter);
        const bool orderChanged = doc_.SetOrder(order);
        if (filterChanged || orderChanged) RefillList();
    };
    host.showHelp = showHelp_;
    printing_ =
        std::make_unique<PrintController>(doc_, prompter_, store, std::move(host), window());
    printing_->LoadSettings();
    printing_->SetPageHeader(pageHeader_);
}

void CChimesetView::OnFilePrint() {
    if (printing_ && doc_.CanPrint()) printing_->Print();
}

void CChimesetView::OnFilePrintPreview() {
    if (printing_ && doc_.CanPrint()) printing_->PrintPreview();
}

void CChimesetView::OnSetPrintContents() {
    if (!printing_) return;
    printing_->SetPrintContents();
    pageHeader_ = printing_->Settings().pageHeader;
}

void CChimesetView::OnCopyToClipboard() {
    if (!printing_ || !CanCopyToClipboard()) return;
    CopyListToClipboard(doc_, printing_->Settings().columns, prompter_);
}

void CChimesetView::OnFind() {
    if (RunFindDialog(search_, ToWindows1252(towerList_->Edit()->text()), window(), showHelp_))
        OnFindNext();
}

void CChimesetView::OnFindNext() {
    const std::int32_t found = RunFindNext(doc_, search_, prompter_);
    if (found >= 0) SelectPosition(found);
}

}  // namespace chimeset
