// The details in the Towers Near and Statistics dialogs: the ringable and practice filters
// and columns as a user sets and reads them, the statistics' ringable check box, and both
// greyed over a database that does not hold the details.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTableView>
#include <cstdlib>

#include "common/TextFile.h"
#include "grabs/qt/CStatisticsDlg.h"
#include "grabs/qt/CTowersNearDlg.h"
#include "tests/grabs/DetailsFixture.h"
#include "tests/grabs/DialogSupport.h"
#include "tests/grabs/GrabsFixture.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/Controls.h"

namespace chimeset::testing {
namespace {

void SelectTower(CChimesetDoc& doc, std::int32_t tower) {
    doc.SetFilter(kFilterAllTowers);
    for (std::int32_t p = 0; p < doc.GetListCount(); ++p)
        if (doc.ListItemTower(p) == tower) doc.SelectListItem(p);
    ASSERT_EQ(doc.CurrentTower(), tower);
}

TEST_F(DetailsFixture, NearDialogLeavesOutUnringableAtFirstAndFiltersByPracticeNight) {
    OpenLog();
    SelectTower(*doc, kDAlpha);
    CTowersNearDlg dialog(*doc, prompter, nullptr, nullptr);
    QTableView* list = dialog.List();
    auto* ringable = FindControl<QCheckBox>(dialog, QStringLiteral("ringableCheck"));
    auto* practice = FindControl<QComboBox>(dialog, QStringLiteral("practiceCombo"));
    ASSERT_TRUE(ringable && practice);
    EXPECT_TRUE(ringable->isChecked());
    EXPECT_TRUE(ringable->isEnabled());
    EXPECT_EQ(Column(*list, 1), (QStringList{QStringLiteral("Echo - St Giles"),
                                             QStringLiteral("Charlie - St Paul")}));
    EXPECT_EQ(Column(*list, 6), (QStringList{QStringLiteral("yes"), QString()}));
    EXPECT_EQ(Column(*list, 7), (QStringList{QStringLiteral("PN: by arrangement"),
                                             QStringLiteral("Tue (2nd & 4th)")}));

    ringable->setChecked(false);
    Picture(dialog, "towers-near-details.png");
    EXPECT_EQ(Column(*list, 6), (QStringList{QStringLiteral("yes"), QString(), QStringLiteral("no"),
                                             QStringLiteral("no")}));
    ASSERT_EQ(practice->count(), 8);
    EXPECT_EQ(practice->itemText(4), QStringLiteral("Thu"));
    practice->setCurrentIndex(4);
    EXPECT_EQ(Column(*list, 1), (QStringList{QStringLiteral("Delta - St John")}));
    ringable->setChecked(true);
    EXPECT_EQ(list->model()->rowCount(), 0);
    practice->setCurrentIndex(2);  // Tuesday
    EXPECT_EQ(Column(*list, 1), (QStringList{QStringLiteral("Charlie - St Paul")}));
    EXPECT_EQ(dialog.Filter().practiceDay, Weekday::kTuesday);

    const std::string path = dir.File("near.gpx");
    prompter.QueueFileName(path);
    dialog.OnSaveGpx();
    EXPECT_NE(ReadBytes(path).find("<desc>3 bells, 2-2-20, Devon; not yet visited; practice Tue "
                                   "(2nd &amp; 4th)</desc>"),
              std::string::npos)
        << ReadBytes(path);
}

TEST_F(DetailsFixture, StatisticsDialogCountsRingableTowersAtFirst) {
    OpenLog();
    CStatisticsDlg dialog(*doc, prompter, nullptr);
    auto* ringable = FindControl<QCheckBox>(dialog, QStringLiteral("ringableCheck"));
    ASSERT_TRUE(ringable);
    EXPECT_TRUE(ringable->isChecked());
    EXPECT_EQ(dialog.Statistics().totals.databaseTowers, 4);
    auto* summary = FindControl<QLabel>(dialog, QStringLiteral("summaryLabel"));
    EXPECT_TRUE(summary->text().contains(QStringLiteral("2 of the 4 ringable in the database")))
        << summary->text().toStdString();
    EXPECT_TRUE(summary->text().contains(QStringLiteral("1 unringable tower not yet visited is")));
    auto* counties = FindControl<QTableView>(dialog, QStringLiteral("countiesTable"));
    dialog.Tabs()->setCurrentIndex(1);
    Picture(dialog, "statistics-ringable.png");
    EXPECT_EQ(Column(*counties, 1), (QStringList{QStringLiteral("3"), QStringLiteral("1")}));
    // Unchecked, Kent's unringable Delta counts again, and the order chosen stays.
    counties->sortByColumn(0, Qt::DescendingOrder);
    ringable->setChecked(false);
    EXPECT_EQ(dialog.Statistics().totals.databaseTowers, 5);
    EXPECT_EQ(Column(*counties, 0), (QStringList{QStringLiteral("Kent"), QStringLiteral("Devon")}));
    EXPECT_EQ(Column(*counties, 1), (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_TRUE(summary->text().contains(QStringLiteral("2 of the 5 in the database")));
}

TEST_F(GrabsFixture, DetailsFiltersAreGreyedWhenTheDatabaseHasNoDetails) {
    OpenHandLog();
    CTowersNearDlg near(*doc, prompter, nullptr, nullptr);
    auto* ringable = FindControl<QCheckBox>(near, QStringLiteral("ringableCheck"));
    auto* practice = FindControl<QComboBox>(near, QStringLiteral("practiceCombo"));
    ASSERT_TRUE(ringable && practice);
    EXPECT_FALSE(ringable->isEnabled());
    EXPECT_FALSE(practice->isEnabled());
    practice->setCurrentIndex(2);
    EXPECT_FALSE(near.Filter().ringableOnly);
    EXPECT_FALSE(near.Filter().practiceDay.has_value());

    CStatisticsDlg stats(*doc, prompter, nullptr);
    auto* check = FindControl<QCheckBox>(stats, QStringLiteral("ringableCheck"));
    ASSERT_TRUE(check);
    EXPECT_FALSE(check->isEnabled());
    EXPECT_FALSE(stats.Statistics().ringableOnly);
    EXPECT_EQ(stats.Statistics().totals.databaseTowers, kHandDatabaseCount);
}

}  // namespace
}  // namespace chimeset::testing
