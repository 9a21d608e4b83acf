// The clipboard and search commands with their messages.
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "common/qt/Codec.h"
#include "output/TowerSearch.h"
#include "output/qt/CSearchLocationDlg.h"
#include "output/qt/ClipboardExportCommand.h"
#include "output/qt/TowerSearchCommand.h"
#include "tests/output/OutputFixture.h"
#include "tests/support/qt/ModalDialog.h"
#include "tests/support/qt/Screenshot.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

class CommandsTest : public OutputFixture {
  protected:
    void SetUp() override { OutputFixture::SetUp(); }
};

}  // namespace

TEST_F(CommandsTest, CopyPutsTheListOnTheClipboardAndCountsIt) {
    ASSERT_TRUE(OpenLog(StandardLog()));
    doc->SetFilter(kFilterQuartered);  // Zeal only
    EXPECT_EQ(CopyListToClipboard(*doc, PrintSettings().columns, prompter), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("Zeal\tSt Mary\t11-1-0\t6\t07/03/2010\t08/03/2010\t2011\tFirst "
                                "line\u00B6Second line\r\n"));
    ASSERT_EQ(prompter.Ids(), (std::vector<unsigned>{0x800E}));
    EXPECT_EQ(prompter.notices[0].text,
              "1 Records written to Clipboard.\r\n\r\nGo to Destination application and use Paste. "
              "Each record appears on one line with the fields separated by Tabs.");

    doc->SetFilter(kFilterPealed);
    doc->SetOrder(kOrderDate);
    EXPECT_EQ(CopyListToClipboard(*doc, PrintSettings().columns, prompter), 2);
    EXPECT_EQ(prompter.notices[1].text.substr(0, 8), "2 Record");
}

TEST_F(CommandsTest, FindNextReportsAMiss) {
    doc->SetFilter(kFilterAllTowers);
    TowerSearch search;
    search.Start("lucy");
    EXPECT_EQ(RunFindNext(*doc, search, prompter), 3);
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(RunFindNext(*doc, search, prompter), -1);
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x800A}));
    EXPECT_EQ(prompter.notices[0].text.substr(0, 7), "SORRY, ");
    EXPECT_EQ(prompter.notices[0].text.substr(prompter.notices[0].text.size() - 19),
              "name was not found.");
}

TEST_F(CommandsTest, FindDialogStartsANewSearchOnlyOnOk) {
    TowerSearch search;
    search.Start("zeal");
    search.FindNext(*doc);
    ASSERT_EQ(search.FindStartIndex(), 0);  // no list: nothing found, back to the top

    std::vector<std::uint32_t> help;
    OnNextModalOf<CSearchLocationDlg>([](CSearchLocationDlg* dialog) {
        EXPECT_EQ(dialog->Edit()->text(),
                  QStringLiteral("Aston - St Peter"));  // the list's edit text
        dialog->Edit()->setText(QStringLiteral("ham"));
        dialog->reject();
    });
    EXPECT_FALSE(RunFindDialog(search, "Aston - St Peter", nullptr, {}));
    EXPECT_EQ(search.SearchText(), "zeal");

    OnNextModalOf<CSearchLocationDlg>([&help](CSearchLocationDlg* dialog) {
        EXPECT_EQ(dialog->Edit()->text(), QStringLiteral("zeal"));  // the last search text
        SaveScreenshot(*dialog, QStringLiteral("search-location.png"));
        QApplication::setActiveWindow(dialog);  // shortcuts reach the active window only
        QTest::keyClick(dialog, Qt::Key_F1);
        dialog->Edit()->setText(QString::fromUtf8("\u00C9vr"));
        dialog->accept();
    });
    EXPECT_TRUE(
        RunFindDialog(search, "", nullptr, [&help](std::uint32_t c) { help.push_back(c); }));
    EXPECT_EQ(search.SearchText(), "\xC9vr");
    EXPECT_EQ(help, (std::vector<std::uint32_t>{0x20000 + 136}));
}
