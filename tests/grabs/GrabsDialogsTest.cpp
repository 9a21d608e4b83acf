// The Statistics and Towers Near dialogs over the hand log: tables that sort by value, the
// charts' data, Copy and the saved files in the order shown, the filters, a typed place,
// and a double-click that shows the tower in the main window.
#include <QAbstractButton>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLineEdit>
#include <QLineSeries>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <set>

#include "common/qt/Codec.h"
#include "grabs/qt/CStatisticsDlg.h"
#include "grabs/qt/CTowersNearDlg.h"
#include "grabs/qt/StatisticsCharts.h"
#include "grabs/qt/TowerSelection.h"
#include "tests/grabs/DialogSupport.h"
#include "tests/grabs/GrabsFixture.h"
#include "tests/support/qt/Controls.h"
#include "view/CChimesetView.h"
#include "view/TowerListBox.h"

namespace chimeset::testing {
namespace {

// The dialogs load the charts library from the build, before any chart is first wanted.
const bool kChartsFolderSet =
    (SetStatisticsChartsFolder(QStringLiteral(CHIMESET_CHARTS_FOLDER)), true);

// The chart a statistics dialog shows; the test fails when the charts library did not load.
QChart* ChartOf(const CStatisticsDlg& dialog) {
    auto* view = qobject_cast<QChartView*>(dialog.ChartView());
    EXPECT_TRUE(view) << "no charts: "
                      << qPrintable(dialog.ChartView()->property("text").toString());
    return view ? view->chart() : nullptr;
}

// F1 as the user presses it in the shown, active dialog.
void PressF1(QWidget& dialog) {
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
}

class GrabsDialogsTest : public GrabsFixture {
  protected:
    void SelectTower(std::int32_t tower) {
        doc->SetFilter(kFilterAllTowers);
        for (std::int32_t p = 0; p < doc->GetListCount(); ++p)
            if (doc->ListItemTower(p) == tower) doc->SelectListItem(p);
        ASSERT_EQ(doc->CurrentTower(), tower);
    }
    std::vector<std::uint32_t> help;
    ShowHelp showHelp = [this](std::uint32_t context) { help.push_back(context); };
};

TEST_F(GrabsDialogsTest, StatisticsTablesSortByValueAndCopyAsShown) {
    OpenHandLog();
    CStatisticsDlg dialog(*doc, prompter, showHelp);
    auto* counties = FindControl<QTableView>(dialog, QStringLiteral("countiesTable"));
    ASSERT_TRUE(counties);
    EXPECT_EQ(Column(*counties, 0),
              (QStringList{QStringLiteral("(no county)"), QStringLiteral("Additional towers"),
                           QStringLiteral("Devon"), QStringLiteral("Kent"),
                           QString::fromUtf8("Ynys M\xC3\xB4n")}));
    // The Towers column sorts as numbers: 4 is the most, not "4" after "2" by chance.
    counties->sortByColumn(1, Qt::DescendingOrder);
    EXPECT_EQ(Column(*counties, 0).first(), QStringLiteral("Devon"));
    counties->sortByColumn(3, Qt::DescendingOrder);  // share: 100% before 75% before 50%
    EXPECT_EQ(
        Column(*counties, 3).mid(0, 3),
        (QStringList{QStringLiteral("100.0%"), QStringLiteral("75.0%"), QStringLiteral("50.0%")}));

    dialog.Tabs()->setCurrentIndex(1);
    dialog.OnCopy();
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.startsWith(
        QStringLiteral("County\tTowers\tVisited\tShare\tComplete\r\nAdditional towers\t1\t1\t100.0%"
                       "\tyes\r\nDevon\t4\t3\t75.0%\t\r\n")))
        << copied.toStdString();

    // Save as CSV writes the same order, in UTF-8.
    const std::string path = dir.File("counties.csv");
    prompter.QueueFileName(path);
    dialog.OnSaveCsv();
    const std::string csv = ReadBytes(path);
    EXPECT_NE(csv.find("Additional towers,1,1,100.0%,yes\r\nDevon,4,3,75.0%,\r\n"),
              std::string::npos)
        << csv;
    EXPECT_NE(csv.find("Ynys M\xC3\xB4n"), std::string::npos);
    prompter.QueueFileName(dir.File("no such folder/x.csv"));
    dialog.OnSaveCsv();
    EXPECT_EQ(prompter.fileErrors.size(), 1u);

    PressF1(dialog);
    EXPECT_EQ(help, (std::vector<std::uint32_t>{0x200A0}));
}

TEST_F(GrabsDialogsTest, ChartsShowTheCountiesBellsAndRunningTotal) {
    OpenHandLog();
    CStatisticsDlg dialog(*doc, prompter, showHelp);
    Picture(dialog, "statistics-counties.png");
    QChart* chart = ChartOf(dialog);
    ASSERT_EQ(chart->series().size(), 1);
    auto* counties = qobject_cast<QHorizontalBarSeries*>(chart->series().first());
    ASSERT_TRUE(counties);
    // Only counties with a visit; the furthest on at the top (last bar).
    QBarSet* shares = counties->barSets().first();
    ASSERT_EQ(shares->count(), 3);
    EXPECT_DOUBLE_EQ(shares->at(2), 100.0);
    EXPECT_DOUBLE_EQ(shares->at(1), 75.0);
    EXPECT_DOUBLE_EQ(shares->at(0), 50.0);

    dialog.ShowChart(CStatisticsDlg::Chart::Bells);
    auto* bells = qobject_cast<QBarSeries*>(ChartOf(dialog)->series().first());
    ASSERT_TRUE(bells);
    ASSERT_EQ(bells->barSets().size(), 2);
    EXPECT_EQ(bells->barSets()[0]->count(), 8);       // 1-2, 3, 4, 5, 6, 8, 10, 12+
    EXPECT_DOUBLE_EQ(bells->barSets()[0]->at(4), 2);  // two rings of six
    EXPECT_DOUBLE_EQ(bells->barSets()[1]->at(4), 2);  // both visited

    dialog.ShowChart(CStatisticsDlg::Chart::RunningTotal);
    Picture(dialog, "statistics-years.png");
    auto* line = qobject_cast<QLineSeries*>(ChartOf(dialog)->series().first());
    ASSERT_TRUE(line);
    EXPECT_EQ(line->points(), (QList<QPointF>{{2005, 2}, {2010, 3}, {2011, 5}, {2012, 5}}));
}

TEST_F(GrabsDialogsTest, NearListFollowsTheFiltersAndATypedPlace) {
    OpenHandLog();
    SelectTower(kAlpha);
    std::vector<std::int32_t> chosen;
    CTowersNearDlg dialog(*doc, prompter, showHelp,
                          [&chosen](std::int32_t tower) { chosen.push_back(tower); });
    Picture(dialog, "towers-near.png");
    QTableView* list = dialog.List();
    EXPECT_EQ(Column(*list, 1),
              (QStringList{QStringLiteral("Golf - Holy Cross"), QStringLiteral("India - St Luke"),
                           QStringLiteral("Charlie - St Peter & St Paul"),
                           QStringLiteral("Bravo - St Peter"), QStringLiteral("Delta - St Paul")}));
    EXPECT_EQ(Column(*list, 0).first(), QStringLiteral("0.7 mi N"));
    EXPECT_TRUE(dialog.Summary().contains(QStringLiteral("2 towers have no position")));

    FindControl<QCheckBox>(dialog, QStringLiteral("unvisitedCheck"))->setChecked(true);
    EXPECT_EQ(list->model()->rowCount(), 2);
    FindControl<QCheckBox>(dialog, QStringLiteral("unvisitedCheck"))->setChecked(false);
    FindControl<QSpinBox>(dialog, QStringLiteral("minBellsSpin"))->setValue(8);
    EXPECT_EQ(Column(*list, 1),
              (QStringList{QStringLiteral("Bravo - St Peter"), QStringLiteral("Delta - St Paul")}));
    FindControl<QSpinBox>(dialog, QStringLiteral("minBellsSpin"))->setValue(0);

    // Sorting by bells sorts by number: 10 after 8, not before it.
    list->sortByColumn(3, Qt::AscendingOrder);
    EXPECT_EQ(Column(*list, 3),
              (QStringList{QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("6"),
                           QStringLiteral("8"), QStringLiteral("10")}));
    // The double-click and the GPX file take the towers in the order shown.
    dialog.OnActivated(4);
    EXPECT_EQ(chosen, (std::vector<std::int32_t>{kDelta}));
    const std::string path = dir.File("near.gpx");
    prompter.QueueFileName(path);
    dialog.OnSaveGpx();
    const std::string gpx = ReadBytes(path);
    EXPECT_LT(gpx.find("Charlie"), gpx.find("Golf"));
    EXPECT_LT(gpx.find("Bravo"), gpx.find("Delta"));
    // A filter changed afterwards keeps the order chosen.
    FindControl<QCheckBox>(dialog, QStringLiteral("unvisitedCheck"))->setChecked(true);
    EXPECT_EQ(Column(*list, 1), (QStringList{QStringLiteral("Charlie - St Peter & St Paul"),
                                             QStringLiteral("Golf - Holy Cross")}));
    FindControl<QCheckBox>(dialog, QStringLiteral("unvisitedCheck"))->setChecked(false);
    list->sortByColumn(0, Qt::AscendingOrder);
    EXPECT_EQ(Column(*list, 1).first(), QStringLiteral("Golf - Holy Cross"));

    auto* place = FindControl<QLineEdit>(dialog, QStringLiteral("placeEdit"));
    place->setText(QStringLiteral("52.0, -1.0"));
    EXPECT_EQ(Column(*list, 1).first(), QStringLiteral("Alpha - St Mary"));  // at the place
    EXPECT_EQ(list->model()->rowCount(), 6);
    place->setText(QStringLiteral("nowhere"));
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_TRUE(dialog.Summary().contains(QStringLiteral("neither a grid reference")));

    PressF1(dialog);
    EXPECT_EQ(help, (std::vector<std::uint32_t>{0x200A1}));
}

TEST_F(GrabsDialogsTest, ATowerWithoutPositionAsksForAPlace) {
    OpenHandLog();
    SelectTower(kFoxtrot);
    CTowersNearDlg dialog(*doc, prompter, showHelp, nullptr);
    EXPECT_EQ(dialog.List()->model()->rowCount(), 0);
    EXPECT_TRUE(dialog.Summary().contains(QStringLiteral("type a place")));
    dialog.OnActivated(0);  // nothing to choose, and no callback: no crash
}

TEST_F(GrabsDialogsTest, ChosenTowerIsShownInTheMainWindowEvenFromMyVisits) {
    OpenHandLog();
    CChimesetView view(*doc, prompter, showHelp);
    view.OnInitialUpdate();
    auto* visited = qobject_cast<QAbstractButton*>(view.Control(kFilterVisited));
    ASSERT_TRUE(visited);
    visited->click();
    ASSERT_EQ(doc->GetFilter(), kFilterVisited);
    // A visited tower is found in My Visits.
    ASSERT_TRUE(SelectTowerInView(view, kBravo));
    EXPECT_EQ(doc->GetFilter(), kFilterVisited);
    EXPECT_EQ(doc->CurrentTower(), kBravo);
    // Charlie is not in My Visits: the form turns to All Dove to show it.
    ASSERT_TRUE(SelectTowerInView(view, kCharlie));
    EXPECT_EQ(doc->GetFilter(), kFilterAllTowers);
    EXPECT_EQ(doc->CurrentTower(), kCharlie);
    // The form's list shows it as its current row, as a click there would.
    EXPECT_EQ(view.TowerList()->ItemText(view.TowerList()->CurrentRow()),
              QStringLiteral("Charlie - St Peter & St Paul"));
    EXPECT_FALSE(SelectTowerInView(view, 99));
}

// The sample database of invented towers with a log of a few hundred visits: the county
// chart keeps to the twenty counties furthest on, and the totals count each tower once.
// Also the picture in the README.
TEST(GrabsSampleTest, CountyChartOfALongLogKeepsToTwentyCounties) {
    TempDir dir;
    const std::string sample = ReadBytes(SourceDir() + "/resources/data/DoveData.CB0");
    ASSERT_FALSE(sample.empty());
    dir.Write("DoveData.CB0", sample);
    FakePrompter prompter;
    MemorySettings settings;
    CChimesetDoc doc(dir.Path(), prompter, settings, [] { return LocalDate{2026, 12, 7}; });
    ASSERT_TRUE(doc.IsDatabaseLoaded());
    std::vector<std::string> log{std::string(kVersion2Header)};
    std::set<std::int32_t> towers;
    for (int i = 0; i < 600; ++i) {
        const std::int32_t tower = (i * 7919) % doc.Database().GetDatabaseCount();
        towers.insert(tower);
        const PackedDate date = MakePackedDate(1 + i % 28, 1 + i % 12, 1990 + i / 20);
        log.push_back("x\\\\\\\\\\\\6\\0\\" + std::to_string(doc.Database().GetIndexNo(tower)) +
                      "\\" + std::to_string(date) + "\\" + std::to_string(i % 4 ? 0 : date) +
                      "\\0\\");
    }
    std::string noUser;
    ASSERT_TRUE(doc.OpenLog(dir.WriteLines("SAMPLE.CBL", log), noUser));
    CStatisticsDlg dialog(doc, prompter, nullptr);
    EXPECT_EQ(dialog.Statistics().totals.visited, static_cast<std::int32_t>(towers.size()));
    EXPECT_EQ(dialog.Statistics().years.back().runningTotal,
              static_cast<std::int32_t>(towers.size()));
    auto* bars = qobject_cast<QHorizontalBarSeries*>(ChartOf(dialog)->series().first());
    ASSERT_TRUE(bars);
    ASSERT_GT(dialog.Statistics().counties.size(), 20u);
    EXPECT_EQ(bars->barSets().first()->count(), 20);
    dialog.Tabs()->setCurrentIndex(1);
    Picture(dialog, "chimeset-statistics.png");
}

}  // namespace
}  // namespace chimeset::testing
