// Start-up with a log named on the command line: the window it shows is the one that opening
// the log after start-up gives; the map's vectors are read only when first needed.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <algorithm>
#include <memory>

#include "common/qt/FontConfigWarmUp.h"
#include "map/qt/CMapWindow.h"
#include "map/qt/MapResource.h"
#include "output/qt/PrintController.h"
#include "shell/CChimesetApp.h"
#include "shell/CMainFrame.h"
#include "shell/MapWindowHost.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/users/UsersFakes.h"
#include "tests/view/GuiSupport.h"
#include "view/CChimesetView.h"
#include "view/CMapPanel.h"
#include "view/CommandIds.h"
#include "view/FieldLabel.h"
#include "view/TowerListBox.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

std::string Record(const std::string& identity, int day) {
    return "\\\\\\\\\\\\\\\\" + identity + "\\" + std::to_string(MakePackedDate(day, 4, 2005)) +
           "\\0\\0\\";
}

// What a user sees of the main window.
struct Shown {
    QString caption;
    QSize size;
    QStringList items;
    int currentRow = -1;
    QString status;
    QString userName;
    QString visitDate;
    std::vector<MapPixel> markers;
    std::vector<QString> enabled;
    std::string printFont;
    bool printMultiline = false;

    bool operator==(const Shown& other) const {
        return caption == other.caption && size == other.size && items == other.items &&
               currentRow == other.currentRow && status == other.status &&
               userName == other.userName && visitDate == other.visitDate &&
               markers == other.markers && enabled == other.enabled &&
               printFont == other.printFont && printMultiline == other.printMultiline;
    }
};

class Startup : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteTestDatabase(dir);
        log = dir.WriteLines("RINGER1.CBL",
                             {kLogHeader, Record("1003", 3), Record("1001", 4), Record("1005", 5)});
        // The print settings the window loads for a log.
        settings.WriteString("Settings", "Multi", "1");
    }

    std::unique_ptr<CChimesetApp> Start(const QStringList& arguments) {
        auto app = std::make_unique<CChimesetApp>(
            AppServices{dir.Path(), QString(), prompter, settings, documents, idTable, [] {
                            return LocalDate{2026, 12, 7};
                        }});
        EXPECT_TRUE(app->InitInstance(arguments));
        return app;
    }

    static Shown ShownBy(const CChimesetApp& app) {
        const CMainFrame& frame = *app.MainFrame();
        const CChimesetView& view = *frame.View();
        Shown shown;
        shown.caption = frame.windowTitle();
        shown.size = frame.size();
        for (int row = 0; row < view.TowerList()->Count(); ++row)
            shown.items << view.TowerList()->ItemText(row);
        shown.currentRow = view.TowerList()->CurrentRow();
        shown.status = frame.StatusPane()->text();
        shown.userName = frame.findChild<FieldLabel*>(QStringLiteral("userNameField"))->text();
        shown.visitDate = frame.findChild<FieldLabel*>(QStringLiteral("visitDateField"))->text();
        shown.markers = view.MapPanel()->Pixels();
        for (QAction* action : frame.findChildren<QAction*>())
            if (action->isEnabled()) shown.enabled.push_back(action->objectName());
        std::sort(shown.enabled.begin(), shown.enabled.end());
        if (PrintController* printing = view.Printing()) {
            shown.printFont = printing->Settings().fontFace;
            shown.printMultiline = printing->Settings().multiline;
        }
        return shown;
    }

    TempDir dir;
    std::string log;
    FakePrompter prompter;
    MemorySettings settings;
    FixedDocumentsFolder documents;
    FakeIdTable idTable;
};

int mapReads = 0;

const MapData& CountedMap() {
    ++mapReads;
    return BuiltInMap();
}

}  // namespace

TEST_F(Startup, ALogOnTheCommandLineShowsWhatOpeningItLaterShows) {
    const auto later = Start({});
    ASSERT_TRUE(later->OpenFromOutside(QString::fromStdString(log)));
    later->MainFrame()->UpdateCommandStates();
    const Shown expected = ShownBy(*later);

    const auto direct = Start({QString::fromStdString(log)});
    direct->MainFrame()->UpdateCommandStates();
    const Shown shown = ShownBy(*direct);

    EXPECT_EQ(shown.caption, QStringLiteral("RINGER1.CBL - Clangbook Log"));
    EXPECT_EQ(shown.items.size(), 6);
    EXPECT_EQ(shown.currentRow, 0);
    EXPECT_EQ(shown.userName, QStringLiteral("RINGER1.CBL"));
    EXPECT_EQ(shown.visitDate, expected.visitDate);
    EXPECT_EQ(shown.printFont, "Arial");
    EXPECT_TRUE(shown.printMultiline);
    EXPECT_EQ(shown.status, expected.status);
    EXPECT_EQ(shown.enabled, expected.enabled);
    EXPECT_TRUE(shown == expected);
    EXPECT_TRUE(direct->MainFrame()->isVisible());
    EXPECT_TRUE(direct->Document()->IsReadOnly());
    EXPECT_TRUE(prompter.Silent());
}

TEST_F(Startup, TheMapIsReadWhenItsWindowFirstOpens) {
    const auto app = Start({QString::fromStdString(log)});
    mapReads = 0;
    MapWindowHost host(*app->Document(), *app->MainFrame()->View(), &CountedMap, nullptr);
    EXPECT_EQ(mapReads, 0);
    EXPECT_TRUE(host.CanOpenMap());
    host.OpenMapWindow();
    ASSERT_NE(host.MapWindow(), nullptr);
    EXPECT_EQ(mapReads, 1);
    // Selecting another tower and opening again use the map already read.
    app->MainFrame()->View()->SelectPosition(2);
    host.OpenMapWindow();
    EXPECT_EQ(mapReads, 1);
    delete host.MapWindow();
}

TEST_F(Startup, TheDatabaseReachesTheWindowWholeAndWhatIsWrongWithItIsToldOnce) {
    {
        const auto app = Start({QString::fromStdString(log)});
        EXPECT_TRUE(app->Document()->IsDatabaseLoaded());
        EXPECT_EQ(app->MainFrame()->View()->TowerList()->Count(), 6);
        EXPECT_TRUE(prompter.Silent());
    }
    dir.WriteLines("DoveData.CB0", {"Locn\\Dedn", "Ashby\\St Mary"});
    {
        const auto app = Start({});
        EXPECT_FALSE(app->Document()->IsDatabaseLoaded());
        EXPECT_EQ(app->MainFrame()->View()->TowerList()->Count(), 0);
        EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x800Fu}));
    }
    prompter.Clear();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(dir.File("DoveData.CB0"))));
    {
        const auto app = Start({});
        EXPECT_FALSE(app->Document()->IsDatabaseLoaded());
        EXPECT_EQ(prompter.fileErrors.size(), 1u);
    }
}

TEST_F(Startup, WhatRunsBesideTheStartIsAwaitedOnceTheLogIsReadAndBeforeTheWindow) {
    struct Seen {
        int calls = 0;
        bool logOpen = false;
        bool window = true;
    } seen;
    CChimesetApp* started = nullptr;
    auto app = std::make_unique<CChimesetApp>(
        AppServices{dir.Path(), QString(), prompter, settings, documents, idTable,
                    [] {
                        return LocalDate{2026, 12, 7};
                    },
                    std::string(), std::string(),
                    [&] {
                        ++seen.calls;
                        seen.logOpen = started->Document() && started->Document()->IsLogOpen();
                        seen.window = started->MainFrame() != nullptr;
                    }});
    started = app.get();
    ASSERT_TRUE(app->InitInstance({QString::fromStdString(log)}));
    EXPECT_EQ(seen.calls, 1);
    EXPECT_TRUE(seen.logOpen);
    EXPECT_FALSE(seen.window);
}

TEST(FontConfigWarmUp, WaitsAsOftenAsAskedAndEndsWithItsOwner) {
    FontConfigWarmUp warmUp;
    warmUp.Wait();
    warmUp.Wait();
    // Text is measured as ever afterwards.
    EXPECT_GT(QFontMetrics(QApplication::font()).height(), 0);
}
