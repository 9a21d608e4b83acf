#include "grabs/qt/CStatisticsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "common/MessageTable.h"
#include "common/qt/Codec.h"
#include "grabs/TowerVisits.h"
#include "grabs/qt/GrabsTableModel.h"
#include "grabs/qt/StatisticsCharts.h"
#include "view/CommandIds.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

// More bars than this would be unreadable: the chart shows the counties furthest on.
constexpr std::size_t kMostCountyBars = 20;

}  // namespace

CStatisticsDlg::CStatisticsDlg(const CChimesetDoc& doc, Prompter& prompter, ShowHelp showHelp,
                               QWidget* parent)
    : QDialog(parent), doc_(doc), prompter_(prompter), showHelp_(std::move(showHelp)) {
    setObjectName(QStringLiteral("statisticsDialog"));
    setWindowTitle(QStringLiteral("Statistics"));
    const bool knowsRingable = doc.Database().HasDetails();
    ringableCheck_ = new QCheckBox(QStringLiteral("&Ringable towers only"), this);
    ringableCheck_->setObjectName(QStringLiteral("ringableCheck"));
    ringableCheck_->setChecked(knowsRingable);
    ringableCheck_->setEnabled(knowsRingable);
    ringableCheck_->setToolTip(
        knowsRingable ? QStringLiteral("Leaves out the unringable towers not yet visited, so "
                                       "that the tables show what is still to ring.")
                      : QStringLiteral("The tower database does not say which towers are "
                                       "unringable."));
    // The tabs first, empty: Recompute fills them.
    tables_ = StatisticsTables(GrabStatistics{});

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("statisticsTabs"));
    const char* const tabNames[] = {"&Totals", "C&ounties", "&Bells", "Tenor &weight", "&Years"};
    for (std::size_t i = 0; i < tables_.size(); ++i) {
        auto* model = new QStandardItemModel(this);
        QTableView* view = MakeTableView(model, tabs_);
        view->setObjectName(QString::fromLatin1(tables_[i].name.c_str()) + QStringLiteral("Table"));
        models_.push_back(model);
        views_.push_back(view);
        tabs_->addTab(view, QString::fromLatin1(tabNames[i]));
    }

    chartChoice_ = new QComboBox(this);
    chartChoice_->setObjectName(QStringLiteral("chartChoice"));
    chartChoice_->addItems({QStringLiteral("Share visited by county"),
                            QStringLiteral("Towers by number of bells"),
                            QStringLiteral("Towers visited, running total by year")});
    auto* chartLabel = new QLabel(QStringLiteral("C&hart:"), this);
    chartLabel->setBuddy(chartChoice_);
    QString chartsProblem;
    charts_ = StatisticsCharts::Get(&chartsProblem);
    if (charts_) {
        chartView_ = charts_->MakeView(this);
    } else {
        auto* missing =
            new QLabel(QStringLiteral("The charts cannot be shown: %1").arg(chartsProblem), this);
        missing->setWordWrap(true);
        missing->setAlignment(Qt::AlignCenter);
        chartView_ = missing;
    }
    chartView_->setObjectName(QStringLiteral("chartView"));
    chartView_->setMinimumSize(420, 360);
    connect(chartChoice_, &QComboBox::currentIndexChanged, this,
            [this](int index) { ShowChart(static_cast<Chart>(index)); });

    auto* chartPane = new QWidget(this);
    auto* chartLayout = new QVBoxLayout(chartPane);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(chartLabel);
    choiceRow->addWidget(chartChoice_, 1);
    chartLayout->addLayout(choiceRow);
    chartLayout->addWidget(chartView_, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(tabs_);
    splitter->addWidget(chartPane);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close | QDialogButtonBox::Help, this);
    QPushButton* copy = buttons->addButton(QStringLiteral("&Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("copyButton"));
    QPushButton* save =
        buttons->addButton(QStringLiteral("Save as &CSV..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("saveCsvButton"));
    connect(copy, &QPushButton::clicked, this, &CStatisticsDlg::OnCopy);
    connect(save, &QPushButton::clicked, this, &CStatisticsDlg::OnSaveCsv);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, &CStatisticsDlg::OnHelp);
    InstallHelpKey(this, [this] { OnHelp(); });

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summaryLabel"));
    summary_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(summary_, 1);
    top->addWidget(ringableCheck_);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    layout->addWidget(buttons);
    resize(1000, 640);
    connect(ringableCheck_, &QCheckBox::toggled, this, &CStatisticsDlg::Recompute);
    Recompute();
}

void CStatisticsDlg::Recompute() {
    const TowerVisits visits(doc_);
    stats_ = ComputeGrabStatistics(doc_, visits,
                                   ringableCheck_->isEnabled() && ringableCheck_->isChecked());
    tables_ = StatisticsTables(stats_);
    for (std::size_t i = 0; i < tables_.size() && i < models_.size(); ++i) {
        // Filling resets the heading; the order the user chose stays.
        QHeaderView* header = views_[i]->horizontalHeader();
        const int sortColumn = header->sortIndicatorSection();
        const Qt::SortOrder sortOrder = header->sortIndicatorOrder();
        FillTableModel(*models_[i], tables_[i]);
        header->setSortIndicator(sortColumn, sortOrder);
        if (sortColumn >= 0) models_[i]->sort(sortColumn, sortOrder);
        views_[i]->resizeColumnsToContents();
    }
    const GrabTotals& t = stats_.totals;
    QString text = QStringLiteral(
                       "%1 towers visited, %2 of the %3 %4in the database (%5); "
                       "%6 with a quarter peal, %7 with a peal.")
                       .arg(t.visited)
                       .arg(t.visitedDatabase)
                       .arg(t.databaseTowers)
                       .arg(stats_.ringableOnly ? QStringLiteral("ringable ") : QString())
                       .arg(FromWindows1252(FormatShare(t.visitedDatabase, t.databaseTowers)))
                       .arg(t.quartered)
                       .arg(t.pealed);
    if (stats_.ringableOnly && t.unringableLeftOut > 0)
        text += t.unringableLeftOut == 1
                    ? QStringLiteral(" 1 unringable tower not yet visited is not counted.")
                    : QStringLiteral(" %1 unringable towers not yet visited are not counted.")
                          .arg(t.unringableLeftOut);
    summary_->setText(text);
    ShowChart(static_cast<Chart>(std::max(0, chartChoice_->currentIndex())));
}

void CStatisticsDlg::ShowChart(Chart chart) {
    if (chartChoice_->currentIndex() != static_cast<int>(chart))
        chartChoice_->setCurrentIndex(static_cast<int>(chart));  // comes back here
    if (!charts_) return;
    ChartData plot;
    if (chart == Chart::CountyShare) {
        std::vector<ShareRow> rows = stats_.counties;
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [](const ShareRow& row) { return row.visited == 0; }),
                   rows.end());
        SortShareRows(rows, ShareOrder::Share, true);
        if (rows.size() > kMostCountyBars) rows.resize(kMostCountyBars);
        std::reverse(rows.begin(), rows.end());  // the bars run bottom to top
        QList<double> shares;
        for (const ShareRow& row : rows) {
            shares << row.Share() * 100;
            plot.categories << FromWindows1252(row.label);
        }
        plot.kind = ChartData::Kind::ShareBars;
        plot.barSets = {{QStringLiteral("Share visited"), shares}};
        plot.title = rows.empty() ? QStringLiteral("No county visited yet")
                                  : QStringLiteral("Share of each county's towers visited");
    } else if (chart == Chart::Bells) {
        QList<double> towers, visited;
        for (const ShareRow& row : stats_.bells) {
            towers << row.towers;
            visited << row.visited;
            plot.categories << FromWindows1252(row.label);
        }
        plot.kind = ChartData::Kind::CountBars;
        plot.barSets = {{QStringLiteral("Towers"), towers}, {QStringLiteral("Visited"), visited}};
        plot.acrossTitle = QStringLiteral("Bells");
        plot.title = QStringLiteral("Towers and towers visited by number of bells");
    } else {
        for (const YearRow& row : stats_.years) {
            if (row.year == 0) continue;  // undated visits have no place on the time line
            plot.points << QPointF(row.year, row.runningTotal);
        }
        plot.kind = ChartData::Kind::RunningTotal;
        plot.lineName = QStringLiteral("Towers visited");
        plot.title = QStringLiteral("Towers visited, running total by year");
    }
    charts_->Show(chartView_, plot);
}

Table CStatisticsDlg::CurrentTable() const {
    const int tab = tabs_->currentIndex();
    return TableFromModel(*models_.at(static_cast<std::size_t>(tab)),
                          tables_.at(static_cast<std::size_t>(tab)));
}

void CStatisticsDlg::OnCopy() {
    CopyTableToClipboard(CurrentTable());
}

void CStatisticsDlg::OnSaveCsv() {
    const Table table = CurrentTable();
    SaveTableAsCsv(table, table.name + ".csv", prompter_);
}

void CStatisticsDlg::OnHelp() {
    if (showHelp_) showHelp_(kDialogHelpBase + kStatisticsDialog);
}

}  // namespace chimeset
