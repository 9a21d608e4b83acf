// The clipboard and search commands with their messages.
#include <QClipboard>
#include <QGuiApplication>

#include "common/qt/Codec.h"
#include "tests/output/GuiApp.h"
#include "tests/output/OutputFixture.h"
#include "view/ClipboardExportCommand.h"
#include "view/TowerSearch.h"
#include "view/TowerSearchCommand.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

class CommandsTest : public OutputFixture {
protected:
    void SetUp() override {
        OutputApp();
        OutputFixture::SetUp();
    }
};

}  // namespace

TEST_F(CommandsTest, CopyPutsTheListOnTheClipboardAndCountsIt) {
    ASSERT_TRUE(OpenLog(StandardLog()));
    doc->SetFilter(kFilterQuartered);  // Zeal only
    EXPECT_EQ(CopyListToClipboard(*doc, PrintSettings().columns, 0, prompter), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("Zeal\tSt Mary\t11-1-0\t6\t07/03/2010\t08/03/2010\t2011\tFirst "
                                "line\u00B6Second line\r\n"));
    ASSERT_EQ(prompter.Ids(), (std::vector<unsigned>{0x800E}));
    EXPECT_EQ(prompter.notices[0].text,
              "1 Records written to Clipboard.\r\n\r\nGo to Destination application and use Paste. "
              "Each record appears on one line with the fields separated by Tabs.");

    doc->SetFilter(kFilterPealed);
    doc->SetOrder(kOrderDate);
    EXPECT_EQ(CopyListToClipboard(*doc, PrintSettings().columns, 0, prompter), 2);
    EXPECT_EQ(prompter.notices[1].text.substr(0, 8), "2 Record");
}

TEST_F(CommandsTest, FindNextReportsAMiss) {
    doc->SetFilter(kFilterAllTowers);
    TowerSearch search;
    search.Start("lucy");
    EXPECT_EQ(RunFindNext(*doc, search, 0, prompter), 3);
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(RunFindNext(*doc, search, 3, prompter), -1);
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x800A}));
    EXPECT_EQ(prompter.notices[0].text.substr(0, 7), "SORRY, ");
    EXPECT_EQ(prompter.notices[0].text.substr(prompter.notices[0].text.size() - 19), "name was not found.");
}
