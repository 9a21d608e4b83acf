#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <map>

#include "common/qt/QtMachineSettings.h"
#include "shell/CCheckUpdatesDlg.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/Screenshot.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

// The machine-wide store redirected into a temporary folder for each test.
class CheckUpdatesDlgTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                           QString::fromStdString(dir.Path()));
    }
    void Install(const std::map<QString, QVariant>& values) {
        QSettings installer(QSettings::NativeFormat, QSettings::SystemScope, "Hollowmere",
                            "Chimeroll");
        for (const auto& [name, value] : values) installer.setValue(name, value);
        installer.sync();
        ASSERT_EQ(installer.status(), QSettings::NoError);
    }

    TempDir dir;
    std::vector<QString> opened;
};

}  // namespace

TEST_F(CheckUpdatesDlgTest, AllFourValuesAndTheAddressWithTheVersion) {
    Install({{"DataVersion", 37},
             {"DoveDate", "Dove extract of 1 June 2026"},
             {"DataURL", "https://updates.example.org/check?db=37"},
             {"DataUpdate", "Version 38 adds 40 towers."}});
    QtMachineSettings machine("Hollowmere", "Chimeroll");
    CCheckUpdatesDlg dialog(machine, {}, [this](const QString& address) {
        opened.push_back(address);
        return true;
    });
    EXPECT_EQ(dialog.VersionText(), "Database Version: 37");
    EXPECT_EQ(dialog.DoveDate(), "Dove extract of 1 June 2026");
    EXPECT_EQ(dialog.Address(), "https://updates.example.org/check?db=37");
    EXPECT_EQ(dialog.UpdateText(), "Version 38 adds 40 towers.");
    EXPECT_TRUE(dialog.findChild<QLineEdit*>("addressEdit")->isReadOnly());
    ASSERT_TRUE(dialog.CheckButton()->isEnabled());
    SaveScreenshot(dialog, QStringLiteral("check-updates.png"));

    // Each press opens the browser again; the dialog stays open.
    dialog.CheckButton()->click();
    dialog.CheckButton()->click();
    EXPECT_EQ(opened,
              (std::vector<QString>{"https://updates.example.org/check?db=37&SoftVer=205",
                                    "https://updates.example.org/check?db=37&SoftVer=205"}));
}

TEST_F(CheckUpdatesDlgTest, WithoutABrowserTheAddressIsOfferedForCopying) {
    Install({{"DataURL", "www.example.org/check.php?db=37"}});
    QtMachineSettings machine("Hollowmere", "Chimeroll");
    bool browserStarts = false;
    CCheckUpdatesDlg dialog(machine, {}, [&](const QString& address) {
        opened.push_back(address);
        return browserStarts;
    });
    dialog.show();
    EXPECT_FALSE(dialog.NoBrowserNote()->isVisible());
    EXPECT_FALSE(dialog.PageAddress()->isVisible());

    dialog.CheckButton()->click();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.NoBrowserNote()->isVisible());
    EXPECT_TRUE(dialog.NoBrowserNote()->text().startsWith("No web browser could be started."));
    ASSERT_TRUE(dialog.PageAddress()->isVisible());
    EXPECT_EQ(dialog.PageAddress()->text(), "http://www.example.org/check.php?db=37&SoftVer=205");
    EXPECT_TRUE(dialog.PageAddress()->isReadOnly());
    EXPECT_EQ(dialog.PageAddress()->selectedText(), dialog.PageAddress()->text());
    SaveScreenshot(dialog, QStringLiteral("check-updates-no-browser.png"));

    // A browser that starts later takes the note away again.
    browserStarts = true;
    dialog.CheckButton()->click();
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_FALSE(dialog.NoBrowserNote()->isVisible());
    EXPECT_FALSE(dialog.PageAddress()->isVisible());
}

TEST_F(CheckUpdatesDlgTest, MissingValuesReadAsZeroAndEmpty) {
    {
        QtMachineSettings machine("Hollowmere", "Chimeroll");  // no key at all
        CCheckUpdatesDlg dialog(machine, {}, [this](const QString& a) {
            opened.push_back(a);
            return true;
        });
        EXPECT_EQ(dialog.VersionText(), "Database Version: 0");
        EXPECT_EQ(dialog.DoveDate(), "");
        EXPECT_EQ(dialog.UpdateText(), "");
        EXPECT_FALSE(dialog.CheckButton()->isEnabled());
        dialog.CheckForUpdates();
        EXPECT_TRUE(opened.empty());
    }
    Install({{"DataVersion", 12}});
    QtMachineSettings machine("Hollowmere", "Chimeroll");
    CCheckUpdatesDlg dialog(machine, {}, {});
    EXPECT_EQ(dialog.VersionText(), "Database Version: 12");
    EXPECT_EQ(dialog.Address(), "");
    EXPECT_FALSE(dialog.CheckButton()->isEnabled());
}

TEST(MachineValues, NumbersAndTextsAsTheInstallerLeftThem) {
    MemoryMachineSettings machine;
    machine.values = {{"DataVersion", " 41 "},
                      {"Bad", "x12"},
                      {"Huge", "99999999999"},
                      {"Long", std::string(511, 'a')},
                      {"TooLong", std::string(512, 'a')},
                      {"Zero", std::string("ab\0cd", 5)}};
    EXPECT_EQ(ReadMachineNumber(machine, "DataVersion"), 41);
    EXPECT_EQ(ReadMachineNumber(machine, "Bad"), 0);
    EXPECT_EQ(ReadMachineNumber(machine, "Huge"), 0);
    EXPECT_EQ(ReadMachineNumber(machine, "Missing"), 0);
    EXPECT_EQ(ReadMachineText(machine, "Long").size(), 511u);
    EXPECT_EQ(ReadMachineText(machine, "TooLong"), "");
    EXPECT_EQ(ReadMachineText(machine, "Zero"), "ab");
    EXPECT_EQ(ReadMachineText(machine, "Missing"), "");
}

TEST(UpdatePage, AddressWithoutSchemeStillOpensAWebPage) {
    EXPECT_EQ(UpdatePageUrl("https://updates.example.org/check?db=37&SoftVer=205").toString(),
              "https://updates.example.org/check?db=37&SoftVer=205");
    const QUrl bare = UpdatePageUrl("www.example.org/dove/check.php?x=1&SoftVer=205");
    EXPECT_EQ(bare.scheme(), "http");
    EXPECT_EQ(bare.host(), "www.example.org");
    EXPECT_EQ(bare.query(), "x=1&SoftVer=205");
}

TEST_F(CheckUpdatesDlgTest, F1AsksForTheDialogsTopicWhereverTheFocusIs) {
    QtMachineSettings machine("Hollowmere", "Chimeroll");
    std::vector<std::uint32_t> help;
    CCheckUpdatesDlg dialog(
        machine, [&](std::uint32_t context) { help.push_back(context); },
        [](const QString&) { return true; });
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    auto* address = dialog.findChild<QLineEdit*>("addressEdit");
    ASSERT_NE(address, nullptr);
    address->setFocus();
    QTest::keyClick(address, Qt::Key_F1);
    EXPECT_EQ(help, (std::vector<std::uint32_t>{0x20000 + 139, 0x20000 + 139}));

    // Without help F1 does nothing.
    CCheckUpdatesDlg helpless(machine, {}, [](const QString&) { return true; });
    helpless.show();
    QApplication::setActiveWindow(&helpless);
    QTest::keyClick(&helpless, Qt::Key_F1);
    EXPECT_EQ(help.size(), 2u);
}
