// The Qt layer of the common interfaces, under the offscreen platform.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "common/CodePage.h"
#include "common/qt/Codec.h"
#include "common/qt/HelpKey.h"
#include "common/qt/HelpWindow.h"
#include "common/qt/Platform.h"
#include "common/qt/QtMachineSettings.h"
#include "common/qt/QtPrompter.h"
#include "common/qt/QtSettingsStore.h"
#include "common/qt/SingleLineValidator.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/ModalDialog.h"
#include "tests/support/qt/TestSettings.h"

namespace chimeset {
namespace {

using testing::OnNextModalOf;
using testing::TempDir;
using testing::TestSettingsFolder;

class CommonQtTest : public ::testing::Test {
  protected:
    TempDir temp;
};

TEST_F(CommonQtTest, CodecMapsTheWholeCodePageBothWays) {
    std::string all;
    for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
    const QString text = FromWindows1252(all);
    ASSERT_EQ(text.size(), 255);
    EXPECT_EQ(text[0x80 - 1], QChar(0x20AC));  // euro sign, where Latin-1 has a control
    EXPECT_EQ(text[0x92 - 1], QChar(0x2019));
    EXPECT_EQ(text[0xE9 - 1], QChar(0xE9));
    EXPECT_EQ(ToWindows1252(text), all);

    std::size_t replaced = 0;
    EXPECT_EQ(ToWindows1252(QString::fromUtf8("Zo\u00eb \u2192 \u0141\u00f3d\u017a \U0001F514"),
                            &replaced),
              "Zo\xeb ? ?\xf3"
              "d? ?");
    EXPECT_EQ(replaced, 4u);
    EXPECT_EQ(ToWindows1252(QString(QChar(0xD800))), "?");  // a lone surrogate

    EXPECT_EQ(ToNativePath(FromNativePath("/tmp/caf\xc3\xa9/x.CBL")), "/tmp/caf\xc3\xa9/x.CBL");
}

TEST_F(CommonQtTest, TypedTextIsStoredAsTypedOrInThePlainFormTheUserAgrees) {
    testing::FakePrompter prompter;
    EXPECT_EQ(TypedToWindows1252(QString::fromUtf8("Caf\u00e9 \u20ac5"), prompter),
              "Caf\xE9 \x80"
              "5");
    EXPECT_TRUE(prompter.Silent());

    // The emoji is a surrogate pair in Qt's text: one character, named once.
    const QString typed = QString::fromUtf8("Pen-y-bont \u0175 \U0001F514");
    prompter.QueueAnswer(Answer::Yes);
    EXPECT_EQ(TypedToWindows1252(typed, prompter), "Pen-y-bont w ");
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_NE(prompter.notices[0].text.find("\xC5\xB5 (becomes w), \xF0\x9F\x94\x94 (left out)."),
              std::string::npos);
    prompter.QueueAnswer(Answer::No);
    EXPECT_EQ(TypedToWindows1252(typed, prompter), std::nullopt);
}

TEST_F(CommonQtTest, SingleLineFieldsTurnControlCharactersIntoBlanks) {
    QLineEdit edit;
    edit.setValidator(new SingleLineValidator(&edit));
    edit.show();
    const QString pasted = QString::fromUtf8("St Mary\r\nthe Virgin\tand\nAll\x01Saints\u2028x");
    const QString clean = QStringLiteral("St Mary the Virgin and All Saints x");

    // Pasted with the keyboard, through the clipboard.
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.text(), clean);
    EXPECT_EQ(edit.cursorPosition(), clean.size());
    // Inserted in the middle, keeping the cursor after the insertion.
    edit.setText(QStringLiteral("ab"));
    edit.setCursorPosition(1);
    edit.insert(QStringLiteral("\r\nx\ty"));
    EXPECT_EQ(edit.text(), QStringLiteral("a x yb"));
    EXPECT_EQ(edit.cursorPosition(), 5);
    // Set from code.
    edit.setText(pasted);
    EXPECT_EQ(edit.text(), clean);

    // A forbidden character is refused, whatever else the text holds.
    QLineEdit field;
    field.setValidator(new SingleLineValidator(&field, QStringLiteral("\\")));
    field.show();
    QTest::keyClicks(&field, QStringLiteral("a\\b"));
    field.insert(QStringLiteral("\nc"));
    EXPECT_EQ(field.text(), QStringLiteral("ab c"));
}

TEST_F(CommonQtTest, SettingsStoreRoundTripsTextAndDeletesEntries) {
    {
        QtSettingsStore store(QStringLiteral("Hollowmere"), QStringLiteral("Chimeset"));
        EXPECT_EQ(store.GetString("Users", "RegisterOfNames", "none"), "none");
        EXPECT_FALSE(store.HasEntry("Users", "RegisterOfNames"));
        store.WriteString("Users", "RegisterOfNames", "RINGER1,TOWER_2");
        store.WriteString("Users", "RINGER1", "Ren\xe9\x65 \x80 Smith");
        store.WriteString("Users", "DataFolder", "C:\\Logs");
        store.WriteString("Settings", "Empty", "");
        EXPECT_EQ(store.Status(), QSettings::NoError);
    }
    // A fresh store sees what the first one wrote at once, without being told to save.
    const std::string file = TestSettingsFolder() + "/Hollowmere/Chimeset.conf";
    ASSERT_TRUE(testing::ReadBytes(file).find("RegisterOfNames") != std::string::npos);
    QtSettingsStore store(QStringLiteral("Hollowmere"), QStringLiteral("Chimeset"));
    EXPECT_EQ(store.GetString("Users", "RegisterOfNames"), "RINGER1,TOWER_2");
    EXPECT_EQ(store.GetString("Users", "RINGER1"), "Ren\xe9\x65 \x80 Smith");
    EXPECT_EQ(store.GetString("Users", "DataFolder"), "C:\\Logs");
    EXPECT_TRUE(store.HasEntry("Settings", "Empty"));
    EXPECT_EQ(store.GetString("Settings", "Empty", "default"), "");
    store.DeleteEntry("Users", "RINGER1");
    EXPECT_FALSE(store.HasEntry("Users", "RINGER1"));
    EXPECT_EQ(store.GetString("Users", "RINGER1", "No Name"), "No Name");

    // Edited by hand, without quotes, a comma list still reads as one text.
    temp.Write("hand.conf", "[Users]\nRegisterOfNames=ANN,BOB,CAROL\n");
    QtSettingsStore hand(QString::fromStdString(temp.File("hand.conf")));
    EXPECT_EQ(hand.GetString("Users", "RegisterOfNames"), "ANN,BOB,CAROL");
}

TEST_F(CommonQtTest, SettingsThatCannotBeWrittenSaySoAndKeepWhatWasStored) {
    // A settings file whose path is a folder cannot be written, not even by root.
    const std::string folder = temp.File("settings.conf");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(folder)));
    {
        QtSettingsStore store(QString::fromStdString(folder));
        EXPECT_FALSE(store.WriteString("Users", "RegisterOfNames", "RINGER1"));
        EXPECT_NE(store.Status(), QSettings::NoError);
        // What was not stored is not read back either.
        EXPECT_FALSE(store.HasEntry("Users", "RegisterOfNames"));
        EXPECT_EQ(store.GetString("Users", "RegisterOfNames", "none"), "none");
        EXPECT_FALSE(store.DeleteEntry("Users", "RegisterOfNames"));
        EXPECT_EQ(store.Location(), folder);
        const Notice notice = SettingsNotSavedNotice(store, "Nothing was kept.");
        EXPECT_EQ(notice.text, "The settings could not be saved in " + folder +
                                   ".\r\nThe settings folder may be read-only or the disk "
                                   "full.\r\n\r\nNothing was kept.");
    }

    // A read-only settings folder and file.
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    TempDir readOnly;
    const std::string file = readOnly.Write("Chimeset.conf", "[Users]\nRINGER1=Ringer One\n");
    ::chmod(file.c_str(), 0444);
    ::chmod(readOnly.Path().c_str(), 0555);
    QtSettingsStore store(QString::fromStdString(file));
    EXPECT_EQ(store.GetString("Users", "RINGER1"), "Ringer One");
    EXPECT_FALSE(store.WriteString("Users", "RINGER1", "Changed"));
    EXPECT_FALSE(store.WriteString("Users", "TOWER_2", "Tower Two"));
    EXPECT_FALSE(store.DeleteEntry("Users", "RINGER1"));
    EXPECT_EQ(store.GetString("Users", "RINGER1"), "Ringer One");
    EXPECT_FALSE(store.HasEntry("Users", "TOWER_2"));

    // Writable again, the store writes again: the failure does not stick to it.
    ::chmod(readOnly.Path().c_str(), 0755);
    ::chmod(file.c_str(), 0644);
    EXPECT_TRUE(store.WriteString("Users", "RINGER1", "Changed"));
    EXPECT_EQ(store.Status(), QSettings::NoError);
    EXPECT_NE(testing::ReadBytes(file).find("RINGER1=Changed"), std::string::npos);
    EXPECT_EQ(testing::ReadBytes(file).find("TOWER_2"), std::string::npos);
}

TEST_F(CommonQtTest, FileDialogWithoutAFolderStartsInTheDocumentsFolder) {
    QtPrompter prompter(QStringLiteral("Chimeset"));
    const QString documents = QString::fromStdString(DocumentsFolder());
    ASSERT_FALSE(documents.isEmpty());  // the home folder at least
    const QString working = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(temp.Path())));
    QString shown;
    QString name;
    const auto look = [&] {
        OnNextModalOf<QFileDialog>([&](QFileDialog* dialog) {
            shown = dialog->directory().absolutePath();
            name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            dialog->reject();
        });
    };
    FileDialogRequest request;
    request.initialPath = NativePath("RINGER1");
    look();
    EXPECT_FALSE(prompter.AskOpenFileName(request).has_value());
    EXPECT_EQ(shown, documents);
    request.initialPath = NativePath("USERLOG.CBL");
    look();
    EXPECT_FALSE(prompter.AskSaveFileName(request).has_value());
    EXPECT_EQ(shown, documents);
    EXPECT_EQ(name, QStringLiteral("USERLOG.CBL"));
    // A folder that is there is where the dialog starts.
    request.initialPath = NativePath(temp.File("USERLOG.CBL"));
    look();
    EXPECT_FALSE(prompter.AskSaveFileName(request).has_value());
    EXPECT_EQ(shown, QString::fromStdString(temp.Path()));
    QDir::setCurrent(working);
}

TEST_F(CommonQtTest, MachineSettingsReadTheInstallersValues) {
    temp.Write("machine.conf", "DataVersion=12\nDataURL=\"http://example.org/update?x=1\"\n");
    QtMachineSettings machine(QString::fromStdString(temp.File("machine.conf")));
    EXPECT_EQ(machine.GetString("DataVersion"), "12");
    EXPECT_EQ(machine.GetString("DataURL"), "http://example.org/update?x=1");
    EXPECT_EQ(machine.GetString("DoveDate", "none"), "none");
}

TEST_F(CommonQtTest, MessageBoxButtonsAndHelp) {
    std::vector<std::uint32_t> asked;
    QtPrompter prompter(QStringLiteral("Chimeset"), nullptr,
                        [&asked](std::uint32_t context) { asked.push_back(context); });

    Notice notice;
    notice.text = "First line\r\nSecond \x80";
    notice.icon = NoticeIcon::Stop;
    notice.buttons = NoticeButtons::YesNoCancel;
    auto box = prompter.MakeBox(notice);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Chimeset"));
    EXPECT_EQ(box->text(), QString::fromUtf8("First line\nSecond \u20ac"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(box->findChild<QPushButton*>(QStringLiteral("helpButton")), nullptr);

    // With a help context: a Help button and F1 ask for it and leave the box open.
    notice.helpContext = 0x38011;
    notice.buttons = NoticeButtons::Ok;
    box = prompter.MakeBox(notice);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Help);
    box->show();
    QApplication::setActiveWindow(box.get());
    auto* help = box->findChild<QPushButton*>(QStringLiteral("helpButton"));
    ASSERT_NE(help, nullptr);
    QTest::mouseClick(help, Qt::LeftButton);
    QTest::keyClick(box.get(), Qt::Key_F1);
    EXPECT_EQ(asked, (std::vector<std::uint32_t>{0x38011, 0x38011}));
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->clickedButton(), nullptr);

    // Without a help viewer there is no Help button to press in vain.
    QtPrompter helpless(QStringLiteral("Chimeset"));
    EXPECT_EQ(helpless.MakeBox(notice)->findChild<QPushButton*>(QStringLiteral("helpButton")),
              nullptr);
}

TEST_F(CommonQtTest, F1AnywhereInAWindowAsksForThatWindowsHelp) {
    std::vector<std::uint32_t> asked;
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    InstallDialogHelp(
        &dialog, [&](std::uint32_t context) { asked.push_back(context); }, 135);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F1);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(asked, (std::vector<std::uint32_t>{0x20000 + 135, 0x20000 + 135}));

    // Another window's F1 is its own; without help it does nothing.
    QDialog other;
    int otherAsked = 0;
    InstallHelpKey(&other, [&] { ++otherAsked; });
    other.show();
    QApplication::setActiveWindow(&other);
    QTest::keyClick(&other, Qt::Key_F1);
    EXPECT_EQ(otherAsked, 1);
    QDialog helpless;
    InstallDialogHelp(&helpless, {}, 136);
    helpless.show();
    QApplication::setActiveWindow(&helpless);
    QTest::keyClick(&helpless, Qt::Key_F1);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(otherAsked, 1);
}

TEST_F(CommonQtTest, ShowReturnsTheButtonPressed) {
    QtPrompter prompter(QStringLiteral("Chimeset"));
    const auto press = [](QMessageBox::StandardButton which) {
        OnNextModalOf<QMessageBox>([which](QMessageBox* box) { box->button(which)->click(); });
    };
    Notice notice;
    notice.text = "Use this file?";
    notice.buttons = NoticeButtons::YesNo;
    press(QMessageBox::No);
    EXPECT_EQ(prompter.Show(notice), Answer::No);
    press(QMessageBox::Yes);
    EXPECT_EQ(prompter.Show(notice), Answer::Yes);
    notice.buttons = NoticeButtons::OkCancel;
    press(QMessageBox::Cancel);
    EXPECT_EQ(prompter.Show(notice), Answer::Cancel);
    press(QMessageBox::Cancel);
    EXPECT_EQ(prompter.AskSaveChanges("RINGER1.CBL"), Answer::Cancel);
}

TEST_F(CommonQtTest, FileDialogFiltersAndChosenPath) {
    EXPECT_EQ(QtPrompter::NameFilters("Tower Logs (*.CBL)|*.cbl||"),
              QStringList{QStringLiteral("Tower Logs (*.CBL)")});
    EXPECT_EQ(
        QtPrompter::NameFilters("Logs|*.cbl;*.txt|All files (*.*)|*.*||"),
        (QStringList{QStringLiteral("Logs (*.cbl *.txt)"), QStringLiteral("All files (*.*)")}));
    EXPECT_TRUE(QtPrompter::NameFilters("").isEmpty());

    QtPrompter prompter(QStringLiteral("Chimemove"));
    FileDialogRequest request;
    request.initialPath = NativePath(temp.File("USERLOG.CBL"));
    request.defaultExtension = "CBL";
    request.filter = "Tower Logs (*.CBL)|*.cbl||";
    request.promptOverwrite = false;
    OnNextModalOf<QDialog>(
        [](QDialog* dialog) { QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection); });
    const auto chosen = prompter.AskSaveFileName(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, temp.File("USERLOG.CBL"));

    OnNextModalOf<QFileDialog>([](QFileDialog* dialog) { dialog->close(); });
    EXPECT_FALSE(prompter.AskSaveFileName(request).has_value());
}

TEST_F(CommonQtTest, SaveDialogWhoseFolderMustExistRefusesAMissingOne) {
    QtPrompter prompter(QStringLiteral("Chimemove"));
    FileDialogRequest request;
    request.initialPath = NativePath(temp.File("USERLOG.CBL"));
    request.mustExist = true;
    request.promptOverwrite = false;
    const QString missing = QString::fromStdString(temp.File("no such folder"));
    const QString wanted = QString::fromStdString(temp.File("USERLOG.CBL"));

    // Type a name in a missing folder, hear why it is refused, then pick one that is there.
    QStringList seen;
    QTimer poll;
    poll.callOnTimeout([&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            seen << box->text();
            box->button(QMessageBox::Ok)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(seen.isEmpty() ? missing + QStringLiteral("/X.CBL") : wanted);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    poll.start(10);
    const auto chosen = prompter.AskSaveFileName(request);
    poll.stop();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, temp.File("USERLOG.CBL"));
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].startsWith(QDir::toNativeSeparators(missing) + QLatin1Char('\n')))
        << seen[0].toStdString();

    // Where the folder need not exist the name is handed on as typed.
    request.mustExist = false;
    OnNextModalOf<QFileDialog>([&](QFileDialog* dialog) {
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(missing + QStringLiteral("/X.CBL"));
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    const auto typed = prompter.AskSaveFileName(request);
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(*typed, temp.File("no such folder/X.CBL"));
}

TEST_F(CommonQtTest, HelpWindowFindsTopicsByContext) {
    temp.WriteLines("topics.map", {"; the converter", "default start.html", "0x20066 dialog.html",
                                   "196709 message.html", "nonsense", "0x30001 gone.html"});
    temp.Write("start.html", "<html><body>Start page</body></html>");
    temp.Write("dialog.html", "<html><body>Dialog page</body></html>");
    temp.Write("message.html", "<html><body>Message page</body></html>");
    HelpWindow help(QString::fromStdString(temp.Path()), QStringLiteral("Help"));

    EXPECT_EQ(help.TopicFor(0x20066), QStringLiteral("dialog.html"));
    EXPECT_EQ(help.TopicFor(0x30065), QStringLiteral("message.html"));  // 196709
    EXPECT_EQ(help.TopicFor(0x12345), QStringLiteral("start.html"));
    ASSERT_TRUE(help.ShowContext(0x20066));
    EXPECT_TRUE(help.isVisible());
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("Dialog page")));
    ASSERT_TRUE(help.ShowDefault());
    EXPECT_TRUE(help.Browser()->toPlainText().contains(QStringLiteral("Start page")));
    EXPECT_FALSE(help.ShowContext(0x30001));  // the page named is missing
    help.close();

    // No help installed: nothing happens, every time.
    HelpWindow none(QString::fromStdString(temp.File("nowhere")), QStringLiteral("Help"));
    EXPECT_FALSE(none.ShowContext(0x20066));
    EXPECT_FALSE(none.ShowDefault());
    EXPECT_FALSE(none.isVisible());
}

}  // namespace
}  // namespace chimeset
