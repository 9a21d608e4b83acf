#include "grabs/qt/CTowersNearDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "common/MessageTable.h"
#include "common/Prompter.h"
#include "common/qt/Codec.h"
#include "grabs/qt/GrabsTableModel.h"
#include "view/CommandIds.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

CTowersNearDlg::CTowersNearDlg(const CChimesetDoc& doc, Prompter& prompter, ShowHelp showHelp,
                               ChooseTower chooseTower, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      prompter_(prompter),
      showHelp_(std::move(showHelp)),
      chooseTower_(std::move(chooseTower)),
      currentTower_(doc.CurrentTower()),
      visits_(doc),
      places_(doc.Database()) {
    setObjectName(QStringLiteral("towersNearDialog"));
    setWindowTitle(QStringLiteral("Towers Near"));

    auto* origin = new QLabel(this);
    origin->setObjectName(QStringLiteral("originLabel"));
    origin->setText(currentTower_ >= 0
                        ? FromWindows1252(doc.Database().FormatTowerName(currentTower_))
                        : QStringLiteral("(no tower selected)"));
    placeEdit_ = new QLineEdit(this);
    placeEdit_->setObjectName(QStringLiteral("placeEdit"));
    placeEdit_->setPlaceholderText(
        QStringLiteral("or a grid reference (SU 123 456) or latitude, longitude"));
    radiusSpin_ = new QDoubleSpinBox(this);
    radiusSpin_->setObjectName(QStringLiteral("radiusSpin"));
    radiusSpin_->setRange(0.1, 500);
    radiusSpin_->setDecimals(1);
    radiusSpin_->setValue(10);
    unitCombo_ = new QComboBox(this);
    unitCombo_->setObjectName(QStringLiteral("unitCombo"));
    unitCombo_->addItems({QStringLiteral("miles"), QStringLiteral("km")});
    unvisitedCheck_ = new QCheckBox(QStringLiteral("&Not yet visited"), this);
    unvisitedCheck_->setObjectName(QStringLiteral("unvisitedCheck"));
    minBellsSpin_ = new QSpinBox(this);
    minBellsSpin_->setObjectName(QStringLiteral("minBellsSpin"));
    minBellsSpin_->setRange(0, 16);
    minBellsSpin_->setSpecialValueText(QStringLiteral("any"));
    minBellsSpin_->setSuffix(QStringLiteral(" bells"));
    // Unringable towers are no use to a ringer planning a day, so they are left out at first;
    // a database that does not say which they are greys both filters.
    const bool knowsDetails = doc.Database().HasDetails();
    const QString noDetails =
        QStringLiteral("The tower database does not hold ringability or practice nights.");
    ringableCheck_ = new QCheckBox(QStringLiteral("&Ringable only"), this);
    ringableCheck_->setObjectName(QStringLiteral("ringableCheck"));
    ringableCheck_->setChecked(true);
    ringableCheck_->setEnabled(knowsDetails);
    if (!knowsDetails) ringableCheck_->setToolTip(noDetails);
    practiceCombo_ = new QComboBox(this);
    practiceCombo_->setObjectName(QStringLiteral("practiceCombo"));
    practiceCombo_->addItem(QStringLiteral("any day"));
    for (int day = 0; day < 7; ++day)
        practiceCombo_->addItem(QString::fromLatin1(WeekdayShortName(static_cast<Weekday>(day))));
    practiceCombo_->setEnabled(knowsDetails);
    if (!knowsDetails) practiceCombo_->setToolTip(noDetails);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Near:"), origin);
    form->addRow(QStringLiteral("&Place:"), placeEdit_);
    auto* radiusRow = new QHBoxLayout;
    radiusRow->addWidget(radiusSpin_);
    radiusRow->addWidget(unitCombo_);
    radiusRow->addSpacing(16);
    radiusRow->addWidget(unvisitedCheck_);
    radiusRow->addSpacing(16);
    auto* bellsLabel = new QLabel(QStringLiteral("At &least"), this);
    bellsLabel->setBuddy(minBellsSpin_);
    radiusRow->addWidget(bellsLabel);
    radiusRow->addWidget(minBellsSpin_);
    radiusRow->addStretch(1);
    form->addRow(QStringLiteral("&Within:"), radiusRow);
    auto* detailsRow = new QHBoxLayout;
    detailsRow->addWidget(ringableCheck_);
    detailsRow->addSpacing(16);
    auto* practiceLabel = new QLabel(QStringLiteral("Practice &on"), this);
    practiceLabel->setBuddy(practiceCombo_);
    detailsRow->addWidget(practiceLabel);
    detailsRow->addWidget(practiceCombo_);
    detailsRow->addStretch(1);
    form->addRow(QString(), detailsRow);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(placeEdit_)))
        label->setBuddy(placeEdit_);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(radiusRow)))
        label->setBuddy(radiusSpin_);

    model_ = new QStandardItemModel(this);
    list_ = MakeTableView(model_, this);
    list_->setObjectName(QStringLiteral("nearList"));
    connect(list_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { OnActivated(index.row()); });
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    summary_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::Help, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyButton"));
    QPushButton* csv =
        buttons->addButton(QStringLiteral("Save as &CSV..."), QDialogButtonBox::ActionRole);
    csv->setObjectName(QStringLiteral("saveCsvButton"));
    QPushButton* gpx =
        buttons->addButton(QStringLiteral("Save as &GPX..."), QDialogButtonBox::ActionRole);
    gpx->setObjectName(QStringLiteral("saveGpxButton"));
    connect(copy, &QPushButton::clicked, this, &CTowersNearDlg::OnCopy);
    connect(csv, &QPushButton::clicked, this, &CTowersNearDlg::OnSaveCsv);
    connect(gpx, &QPushButton::clicked, this, &CTowersNearDlg::OnSaveGpx);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CTowersNearDlg::OnHelp);
    InstallHelpKey(this, [this] { OnHelp(); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(list_, 1);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    resize(820, 520);

    connect(placeEdit_, &QLineEdit::textChanged, this, &CTowersNearDlg::Refresh);
    connect(radiusSpin_, &QDoubleSpinBox::valueChanged, this, &CTowersNearDlg::Refresh);
    connect(unitCombo_, &QComboBox::currentIndexChanged, this, &CTowersNearDlg::Refresh);
    connect(unvisitedCheck_, &QCheckBox::toggled, this, &CTowersNearDlg::Refresh);
    connect(minBellsSpin_, &QSpinBox::valueChanged, this, &CTowersNearDlg::Refresh);
    connect(ringableCheck_, &QCheckBox::toggled, this, &CTowersNearDlg::Refresh);
    connect(practiceCombo_, &QComboBox::currentIndexChanged, this, &CTowersNearDlg::Refresh);
    Refresh();
}

CTowersNearDlg::~CTowersNearDlg() = default;

NearFilter CTowersNearDlg::Filter() const {
    NearFilter filter;
    filter.radius = {radiusSpin_->value(), unitCombo_->currentIndex() == 1
                                               ? DistanceUnit::Kilometres
                                               : DistanceUnit::Miles};
    filter.unvisitedOnly = unvisitedCheck_->isChecked();
    filter.minBells = minBellsSpin_->value();
    filter.ringableOnly = ringableCheck_->isEnabled() && ringableCheck_->isChecked();
    if (practiceCombo_->isEnabled() && practiceCombo_->currentIndex() > 0)
        filter.practiceDay = static_cast<Weekday>(practiceCombo_->currentIndex() - 1);
    return filter;
}

void CTowersNearDlg::Refresh() {
    const NearFilter filter = Filter();
    result_ = NearResult{};
    QString problem;
    std::optional<GeoPoint> origin;
    std::int32_t exclude = -1;
    const QString typed = placeEdit_->text().trimmed();
    QString from;
    if (!typed.isEmpty()) {
        origin = ParsePlace(ToWindows1252(typed));
        if (!origin)
            problem = QStringLiteral(
                          "\"%1\" is neither a grid reference (SU 123 456) nor a "
                          "latitude and longitude (51.5, -1.25).")
                          .arg(typed);
        from = typed;
    } else if (currentTower_ < 0) {
        problem = QStringLiteral(
            "No tower is selected: choose one in the main window, or type "
            "a place.");
    } else if (!places_.HasPosition(currentTower_)) {
        problem = QStringLiteral(
            "This tower has neither latitude and longitude nor a grid "
            "reference: type a place instead.");
    } else {
        origin = places_.At(currentTower_);
        exclude = currentTower_;
        from = FromWindows1252(doc_.Database().FormatTowerName(currentTower_));
    }
    if (origin)
        result_ = FindTowersNear(doc_.Database(), visits_, places_, *origin, filter, exclude);
    table_ = NearTable(doc_.Database(), visits_, places_, result_, filter.radius.unit);
    // A new list keeps the order the user chose by a heading; filling resets the heading.
    QHeaderView* header = list_->horizontalHeader();
    const int sortColumn = header->sortIndicatorSection();
    const Qt::SortOrder sortOrder = header->sortIndicatorOrder();
    FillTableModel(*model_, table_);
    for (int row = 0; row < model_->rowCount(); ++row)
        model_->item(row, 0)->setData(result_.towers[static_cast<std::size_t>(row)].tower,
                                      kTowerRole);
    header->setSortIndicator(sortColumn, sortOrder);
    if (sortColumn >= 0) model_->sort(sortColumn, sortOrder);
    list_->resizeColumnsToContents();
    if (!problem.isEmpty()) {
        summary_->setText(problem);
        return;
    }
    QString text = QStringLiteral("%1 towers within %2 %3 of %4.")
                       .arg(result_.towers.size())
                       .arg(filter.radius.value)
                       .arg(QString::fromLatin1(UnitSymbol(filter.radius.unit)))
                       .arg(from);
    if (result_.withoutPosition > 0)
        text += QStringLiteral(" %1 towers have no position and were not measured.")
                    .arg(result_.withoutPosition);
    summary_->setText(text);
}

QString CTowersNearDlg::Summary() const {
    return summary_->text();
}

Table CTowersNearDlg::ShownTable() const {
    return TableFromModel(*model_, table_);
}

std::vector<std::int32_t> CTowersNearDlg::ShownTowers() const {
    std::vector<std::int32_t> towers;
    for (int row = 0; row < model_->rowCount(); ++row)
        towers.push_back(model_->item(row, 0)->data(kTowerRole).toInt());
    return towers;
}

void CTowersNearDlg::OnActivated(int row) {
    if (row < 0 || row >= model_->rowCount() || !chooseTower_) return;
    chooseTower_(model_->item(row, 0)->data(kTowerRole).toInt());
}

void CTowersNearDlg::OnCopy() {
    CopyTableToClipboard(ShownTable());
}

void CTowersNearDlg::OnSaveCsv() {
    SaveTableAsCsv(ShownTable(), "towers-near.csv", prompter_);
}

void CTowersNearDlg::OnSaveGpx() {
    FileDialogRequest request;
    request.title = "Save as GPX";
    request.initialPath = NativePath::FromText("towers-near.gpx");
    request.defaultExtension = "gpx";
    request.filter = "GPX files (*.gpx)|*.gpx|All files (*.*)|*.*||";
    const auto path = prompter_.AskSaveFileName(request);
    if (!path) return;
    FileError error;
    if (!WriteGpxFile(*path, GpxText(doc_.Database(), visits_, places_, ShownTowers()), error))
        prompter_.ShowFileError(error);
}

void CTowersNearDlg::OnHelp() {
    if (showHelp_) showHelp_(kDialogHelpBase + kTowersNearDialog);
}

}  // namespace chimeset
