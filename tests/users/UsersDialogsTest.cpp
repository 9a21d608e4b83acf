#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "common/qt/TabStopDelegate.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/Controls.h"
#include "tests/support/qt/ModalDialog.h"
#include "tests/support/qt/Screenshot.h"
#include "tests/users/UsersFakes.h"
#include "users/qt/CManageUsersDlg.h"
#include "users/qt/COpenLogDlg.h"

namespace chimeset::testing {
namespace {

void ClickRow(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

class ManageUsersDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.WriteString("Users", "RegisterOfNames", "RINGER1,TOWER_2");
        settings.WriteString("Users", "RINGER1", "Tower Captain \xE9");
        settings.WriteString("Users", "DataFolder", logs.Path());
    }

    MemorySettings settings;
    FakePrompter prompter;
    TempDir logs;
    FixedDocumentsFolder documents{logs.Path()};
    FakeIdTable table;
    std::vector<std::uint32_t> helpContexts;
    UsersEnvironment environment{settings, prompter, documents, table, "/programs"};
};

TEST_F(ManageUsersDialogTest, ShowsTheRegisterAndEnablesEntryButtonsWithASelection) {
    CManageUsersDlg dialog(environment, [this](std::uint32_t c) { helpContexts.push_back(c); });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Add a User"));

    auto* list = FindControl<QListWidget>(dialog, "usersList");
    auto* remove = FindControl<QPushButton>(dialog, "removeButton");
    auto* exportButton = FindControl<QPushButton>(dialog, "exportButton");
    auto* importAdd = FindControl<QPushButton>(dialog, "importAddButton");
    ASSERT_TRUE(list && remove && exportButton && importAdd);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("RINGER1\tTower Captain \u00e9"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("TOWER_2\tNo Name"));
    EXPECT_EQ(importAdd->text(), QStringLiteral("Import && Add"));  // drawn as "Import & Add"
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(exportButton->isEnabled());
    SaveScreenshot(dialog, "manage_users.png");

    ClickRow(list, 1);
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_TRUE(exportButton->isEnabled());
    EXPECT_TRUE(prompter.Silent());

    // Remove: the row goes, the buttons go off and nothing stays selected.
    QTest::mouseClick(remove, Qt::LeftButton);
    ASSERT_EQ(list->count(), 1);
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(exportButton->isEnabled());
    EXPECT_TRUE(list->selectedItems().isEmpty());
    EXPECT_EQ(settings.GetString("Users", "RegisterOfNames"), "RINGER1");
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8051});

    // Export through the keyboard-free path: select, click, pick a file.
    TempDir outside;
    logs.WriteLines("RINGER1.CBL", {"header"});
    ClickRow(list, 0);
    prompter.QueueFileName(outside.File("copy.cbl"));
    QTest::mouseClick(exportButton, Qt::LeftButton);
    EXPECT_EQ(ReadBytes(outside.File("copy.cbl")), "header\r\n");
    EXPECT_FALSE(exportButton->isEnabled());
    EXPECT_TRUE(list->selectedItems().isEmpty());

    QTest::mouseClick(FindControl<QPushButton>(dialog, "helpButton"), Qt::LeftButton);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(helpContexts, (std::vector<std::uint32_t>{0x20000 + 133, 0x20000 + 133}));

    QTest::mouseClick(FindControl<QPushButton>(dialog, "doneButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(ManageUsersDialogTest, AddsAUserFromTheFieldsWithTheIdUpperCasedAsTyped) {
    CManageUsersDlg dialog(environment, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* id = FindControl<QLineEdit>(dialog, "idNameEdit");
    auto* longName = FindControl<QLineEdit>(dialog, "longNameEdit");
    auto* list = FindControl<QListWidget>(dialog, "usersList");
    ASSERT_TRUE(id && longName && list);

    QTest::keyClicks(id, "capt_99");
    EXPECT_EQ(id->text(), QStringLiteral("CAPT_99"));
    // The L-stroke and the w-circumflex have no byte in the code page: No keeps the name as
    // typed and adds no one; Yes adds the user with the plain letters, never a "?".
    const QString typed = QString::fromUtf8("Capt\u00e1in \u0141uk\u0175sz");
    longName->setText(typed);
    prompter.QueueAnswer(Answer::No);
    QTest::keyClick(longName, Qt::Key_Return);  // Add New is the default button
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_NE(prompter.notices[0].text.find("\xC5\x81 (becomes L), \xC5\xB5 (becomes w)"),
              std::string::npos);
    EXPECT_EQ(longName->text(), typed);
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(settings.GetString("Users", "RegisterOfNames"), "RINGER1,TOWER_2");

    prompter.Clear();
    prompter.QueueAnswer(Answer::Yes);
    QTest::keyClick(longName, Qt::Key_Return);
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0, 0x8051}));
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QString::fromUtf8("CAPT_99\tCapt\u00e1in Lukwsz"));
    EXPECT_EQ(settings.GetString("Users", "CAPT_99"), "Capt\xE1in Lukwsz");
    EXPECT_EQ(settings.GetString("Users", "RegisterOfNames"), "RINGER1,TOWER_2,CAPT_99");
    EXPECT_TRUE(id->text().isEmpty());
    EXPECT_TRUE(longName->text().isEmpty());
    EXPECT_TRUE(FileExists(logs.File("CAPT_99.CBL")));

    // A refused addition keeps the typed text for correcting.
    prompter.Clear();
    QTest::keyClicks(id, "ab");
    QTest::keyClicks(longName, "Someone");
    QTest::mouseClick(FindControl<QPushButton>(dialog, "addNewButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8002});
    EXPECT_EQ(id->text(), QStringLiteral("AB"));
    EXPECT_EQ(list->count(), 3);

    // Import & Add runs the import.
    prompter.Clear();
    TempDir outside;
    id->setText(QStringLiteral("IMPORT1"));
    prompter.QueueFileName(outside.WriteLines("in.cbl", {std::string(kVersion2Header)}));
    QTest::mouseClick(FindControl<QPushButton>(dialog, "importAddButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8059, 0x8051}));
    EXPECT_EQ(list->count(), 4);
    EXPECT_TRUE(FileExists(logs.File("IMPORT1.CBL")));
}

TEST_F(ManageUsersDialogTest, APastedLongNameStaysOnOneLine) {
    CManageUsersDlg dialog(environment, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* id = FindControl<QLineEdit>(dialog, "idNameEdit");
    auto* longName = FindControl<QLineEdit>(dialog, "longNameEdit");
    ASSERT_TRUE(id && longName);
    QTest::keyClicks(id, "PASTER");
    QGuiApplication::clipboard()->setText(QStringLiteral("Jane\r\nSmith\tRinger"));
    longName->setFocus();
    QTest::keyClick(longName, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(longName->text(), QStringLiteral("Jane Smith Ringer"));
    QTest::mouseClick(FindControl<QPushButton>(dialog, "addNewButton"), Qt::LeftButton);
    EXPECT_EQ(prompter.Ids(), std::vector<unsigned>{0x8051});
    EXPECT_EQ(settings.GetString("Users", "PASTER"), "Jane Smith Ringer");
}

TEST_F(ManageUsersDialogTest, LongNamesLineUpWhateverTheWidthOfTheIds) {
    settings.WriteString("Users", "RegisterOfNames", "WWWWWWWW,IIII,MMMM_999");
    CManageUsersDlg dialog(environment, {});
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = FindControl<QListWidget>(dialog, "usersList");
    ASSERT_TRUE(list);
    SaveScreenshot(dialog, "manage_users_wide_ids.png");

    // The long names start at one tab stop, beyond the widest ID name there can be.
    const auto* delegate = qobject_cast<const TabStopDelegate*>(list->itemDelegate());
    ASSERT_NE(delegate, nullptr);
    const QFontMetrics metrics(list->font());
    for (const char* widest : {"WWWWWWWW", "MMMMMMMM", "________", "00000000"})
        EXPECT_GT(delegate->TabStop(), metrics.horizontalAdvance(QLatin1String(widest))) << widest;
}

TEST(OpenLogDialogTest, TakesAtMostEightUpperCaseCharacters) {
    std::vector<std::uint32_t> helpContexts;
    COpenLogDlg dialog([&](std::uint32_t c) { helpContexts.push_back(c); });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Open Your Visit Log"));
    auto* id = FindControl<QLineEdit>(dialog, "idNameEdit");
    ASSERT_TRUE(id);
    QTest::keyClicks(id, "ringer1xyz");
    EXPECT_EQ(id->text(), QStringLiteral("RINGER1X"));
    EXPECT_EQ(dialog.IdName(), "RINGER1X");
    SaveScreenshot(dialog, "open_log.png");

    QTest::mouseClick(FindControl<QPushButton>(dialog, "helpButton"), Qt::LeftButton);
    QTest::keyClick(id, Qt::Key_F1);
    EXPECT_EQ(helpContexts, (std::vector<std::uint32_t>{0x20000 + 134, 0x20000 + 134}));
    EXPECT_TRUE(dialog.isVisible());
}

TEST(OpenLogDialogTest, AskerReturnsTheTypedNameOrNothingOnCancel) {
    const AskIdName ask = COpenLogDlg::Asker(nullptr, {});

    OnNextModalOf<COpenLogDlg>([](COpenLogDlg* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>("idNameEdit"), "tower_2 ");
        QTest::keyClick(dialog->findChild<QLineEdit*>("idNameEdit"), Qt::Key_Return);
    });
    EXPECT_EQ(ask(), std::optional<std::string>("TOWER_2 "));

    OnNextModalOf<COpenLogDlg>([](COpenLogDlg* dialog) {
        QTest::mouseClick(dialog->findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
    });
    EXPECT_EQ(ask(), std::nullopt);
}

}  // namespace
}  // namespace chimeset::testing
