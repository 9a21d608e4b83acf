// The converter dialog under the offscreen platform: states of its buttons through a run.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "converter/qt/CChimemoveDlg.h"
#include "tests/converter/ConverterFixture.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/qt/Controls.h"

namespace chimeset::testing {
namespace {

class ChimemoveDialogTest : public ConverterFixture {
  protected:
    ChimemoveDialogTest() {
        settings.WriteString("Users", "RegisterOfNames", "ann,bob");
        settings.WriteString("Users", "DataFolder", data);
        WriteLog("data", "ANN.CBL", {kMagic, "Somewhere\\12\\1\\\\\\"});
        WriteLog("data", "BOB.CBL", {kMagic});
        dialog = std::make_unique<CChimemoveDlg>(
            settings, prompter, program, [] { return std::string(); }, "Ann Ringer \xe9",
            [this](std::uint32_t context) { helpContexts.push_back(context); });
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }

    template <typename T>
    T* Find(const char* name) {
        return FindControl<T>(*dialog, QString::fromLatin1(name));
    }
    QStringList ListLines() {
        QStringList lines;
        auto* progress = Find<QListWidget>("progressList");
        for (int i = 0; i < progress->count(); ++i) lines << progress->item(i)->text();
        return lines;
    }

    MemorySettings settings;
    std::vector<std::uint32_t> helpContexts;
    std::unique_ptr<CChimemoveDlg> dialog;
};

TEST_F(ChimemoveDialogTest, GatherThenUpgradeWalksThroughTheStates) {
    auto* gather = Find<QPushButton>("gatherButton");
    auto* here = Find<QPushButton>("upgradeHereButton");
    auto* exportButton = Find<QPushButton>("upgradeExportButton");
    auto* done = Find<QPushButton>("doneButton");
    auto* help = Find<QPushButton>("helpButton");
    auto* message = Find<QLabel>("messageArea");

    // Start.
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Clangbook Log Converter"));
    EXPECT_EQ(gather->text(), QStringLiteral("&Gather Data"));
    EXPECT_EQ(here->text(), QStringLiteral("&Upgrade on this machine"));
    EXPECT_EQ(exportButton->text(), QStringLiteral("Upgrade and &Export to another machine"));
    EXPECT_EQ(done->text(), QStringLiteral("Done"));
    EXPECT_EQ(help->text(), QStringLiteral("&Help"));
    EXPECT_EQ(Find<QLabel>("userLine")->text(),
              QString::fromUtf8("Windows User Name : Ann Ringer \u00e9"));
    EXPECT_TRUE(
        message->text().startsWith(QStringLiteral("CLANGBOOK FILE CONVERTER\nThis program")));
    EXPECT_EQ(Find<QListWidget>("progressList")->selectionMode(), QAbstractItemView::NoSelection);
    EXPECT_TRUE(gather->isEnabled());
    EXPECT_FALSE(here->isEnabled());
    EXPECT_FALSE(exportButton->isEnabled());

    // Gathered, ready.
    QTest::mouseClick(gather, Qt::LeftButton);
    EXPECT_FALSE(gather->isEnabled());
    EXPECT_TRUE(here->isEnabled());
    EXPECT_TRUE(exportButton->isEnabled());
    EXPECT_EQ(ListLines(),
              (QStringList{"Searching Folder", QString::fromStdString(data),
                           "ANN\t- Requires Conversion", "BOB\t- Requires Conversion"}));
    EXPECT_TRUE(message->text().startsWith(QStringLiteral("2 Visit Log File(s)")));

    // Converted.
    QTest::mouseClick(here, Qt::LeftButton);
    EXPECT_FALSE(gather->isEnabled());
    EXPECT_FALSE(here->isEnabled());
    EXPECT_FALSE(exportButton->isEnabled());
    EXPECT_TRUE(done->isEnabled());
    EXPECT_TRUE(help->isEnabled());
    EXPECT_EQ(ListLines(),
              (QStringList{"Starting to Process Log Files.", "ANN", "\t1 Records Written", "BOB",
                           "\t0 Records Written", "Finished Processing Log Files."}));
    EXPECT_EQ(message->text(), QStringLiteral("Finished Processing Log Files."));
    EXPECT_EQ(ListFolder(data),
              (std::vector<std::string>{"ANN.CBL", "BOB.CBL", "OLD_ANN.CBL", "OLD_BOB.CBL"}));
    EXPECT_EQ(settings.GetString("Users", "DataFolder"), data);

    QTest::mouseClick(done, Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ChimemoveDialogTest, HelpButtonAndF1AskForTheDialogsTopic) {
    QTest::mouseClick(Find<QPushButton>("helpButton"), Qt::LeftButton);
    QTest::keyClick(dialog.get(), Qt::Key_F1);
    EXPECT_EQ(helpContexts, (std::vector<std::uint32_t>{0x20066, 0x20066}));
    // Keyboard access to every command.
    QTest::keyClick(dialog.get(), Qt::Key_G, Qt::AltModifier);
    auto* gather = Find<QPushButton>("gatherButton");
    for (int wait = 0; wait < 100 && gather->isEnabled(); ++wait) QTest::qWait(20);  // animated
    EXPECT_FALSE(gather->isEnabled());
    EXPECT_TRUE(Find<QPushButton>("upgradeHereButton")->isEnabled());
}

}  // namespace
}  // namespace chimeset::testing
