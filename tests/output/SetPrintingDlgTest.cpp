#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "output/qt/CSetPrintingDlg.h"
#include "output/qt/PrintController.h"
#include "tests/output/OutputFixture.h"
#include "tests/support/qt/ModalDialog.h"
#include "tests/support/qt/Screenshot.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

class SetPrintingDlgTest : public OutputFixture {
  protected:
    void SetUp() override {
        OutputFixture::SetUp();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        UseWholePrintableArea(printer);
    }
    QString Text(QWidget& dialog, const char* name) {
        auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("<missing>");
    }
    QCheckBox* Box(QWidget& dialog, const QString& name) {
        return dialog.findChild<QCheckBox*>(name);
    }

    QPrinter printer{QPrinter::HighResolution};
    std::vector<std::uint32_t> helpAsked;
};

}  // namespace

TEST_F(SetPrintingDlgTest, ShowsWidthsAndFollowsTheBoxesAndSpin) {
    PrintSettings printSettings;
    printSettings.pageHeader = "Ringing Records for Ringer One";
    CSetPrintingDlg dialog(printSettings, &printer, this->settings, prompter,
                           [this](std::uint32_t c) { helpAsked.push_back(c); });
    EXPECT_EQ(Text(dialog, "widthDisplay0"), "1.5\"");
    EXPECT_EQ(Text(dialog, "widthDisplay2"), "0.0\"");
    EXPECT_EQ(Text(dialog, "leftMarginDisplay"), "0.5\"");
    EXPECT_EQ(Text(dialog, "rightMarginDisplay"), "0.5\"");
    EXPECT_EQ(Text(dialog, "remainingSpaceDisplay"), "0.8\"");
    EXPECT_EQ(Text(dialog, "fontFaceDisplay"), "Arial");
    EXPECT_EQ(Text(dialog, "fontSizeDisplay"), "8");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("pageHeaderEdit")->text(),
              "Ringing Records for Ringer One");
    EXPECT_TRUE(Box(dialog, "columnBox0")->isChecked());
    EXPECT_FALSE(Box(dialog, "columnBox2")->isChecked());

    Box(dialog, "columnBox2")->click();  // County, 0.5 inch, selected
    EXPECT_EQ(Text(dialog, "widthDisplay2"), "0.5\"");
    EXPECT_EQ(Text(dialog, "remainingSpaceDisplay"), "0.3\"");
    EXPECT_EQ(dialog.Editor().SelectedColumn(), kColumnCounty);
    dialog.StepWidth(1);
    EXPECT_EQ(Text(dialog, "widthDisplay2"), "0.6\"");
    dialog.StepWidth(3);  // would leave Remaining Space negative
    EXPECT_EQ(Text(dialog, "widthDisplay2"), "0.6\"");
    EXPECT_EQ(Text(dialog, "remainingSpaceDisplay"), "0.2\"");

    // A click on a column's width picks it for the spin control; on an unprinted one, a beep.
    QTest::mouseClick(dialog.findChild<QLabel*>("widthDisplay0"), Qt::LeftButton);
    EXPECT_EQ(dialog.Editor().SelectedColumn(), kColumnLocation);
    QTest::mouseClick(dialog.findChild<QLabel*>("widthDisplay5"), Qt::LeftButton);
    EXPECT_EQ(dialog.Editor().SelectedColumn(), kColumnLocation);
    dialog.StepWidth(-14);
    EXPECT_EQ(Text(dialog, "widthDisplay0"), "0.1\"");

    // Multiline takes the place of Comments (Min), and the other way round.
    dialog.findChild<QCheckBox*>("multilineBox")->click();
    EXPECT_FALSE(Box(dialog, "columnBox10")->isChecked());
    EXPECT_EQ(Text(dialog, "widthDisplay10"), "0.0\"");
    Box(dialog, "columnBox10")->click();
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("multilineBox")->isChecked());
    EXPECT_FALSE(dialog.Result().multiline);

    SaveScreenshot(dialog, QStringLiteral("set-printing.png"));
    // Shortcuts reach the shown, active window only.
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_EQ(helpAsked, (std::vector<std::uint32_t>{0x20000 + 135}));
}

TEST_F(SetPrintingDlgTest, OkIsRefusedWhileTheColumnsDoNotFit) {
    PrintSettings printSettings;
    CSetPrintingDlg dialog(printSettings, &printer, this->settings, prompter, {});
    Box(dialog, "columnBox2")->click();
    Box(dialog, "columnBox5")->click();
    EXPECT_EQ(Text(dialog, "remainingSpaceDisplay"), "-0.1\"");
    dialog.findChild<QPushButton*>("okButton")->click();
    EXPECT_EQ(prompter.Ids(), (std::vector<unsigned>{0x8006}));
    EXPECT_NE(dialog.result(), QDialog::Accepted);

    Box(dialog, "columnBox5")->click();
    dialog.findChild<QLineEdit*>("pageHeaderEdit")->setText(QStringLiteral("My towers & more"));
    dialog.findChild<QCheckBox*>("multilineBox")->click();
    dialog.findChild<QPushButton*>("okButton")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result().pageHeader, "My towers & more");
    EXPECT_TRUE(dialog.Result().multiline);
    EXPECT_EQ(dialog.Result().columns[kColumnCounty], 500);
    EXPECT_EQ(dialog.Result().columns[kColumnComment], 0);
}

TEST_F(SetPrintingDlgTest, SettingsThatCannotBeSavedAreReportedAndStillApply) {
    PrintSettings printSettings;
    this->settings.refuses = [](const std::string&) { return true; };
    CSetPrintingDlg dialog(printSettings, &printer, this->settings, prompter, {});
    const auto toldNotSaved = [this](const std::string& consequence) {
        return prompter.notices.size() == 1 &&
               prompter.notices[0].icon == NoticeIcon::Exclamation &&
               prompter.notices[0].text.find("could not be saved in the test settings") !=
                   std::string::npos &&
               prompter.notices[0].text.find(consequence) != std::string::npos;
    };

    dialog.AcceptPageSetup(PageMargins{1000, 700, 1000, 700});
    EXPECT_TRUE(toldNotSaved("The new margins apply until Chimeset is closed"));
    EXPECT_EQ(dialog.Result().margins, (PageMargins{1000, 700, 1000, 700}));
    EXPECT_FALSE(this->settings.HasEntry("Settings", "MarginT"));

    prompter.Clear();
    dialog.findChild<QCheckBox*>("multilineBox")->click();
    dialog.findChild<QPushButton*>("okButton")->click();
    EXPECT_TRUE(toldNotSaved("The print contents apply until Chimeset is closed"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.Result().multiline);
    EXPECT_FALSE(this->settings.HasEntry("Settings", "Multi"));

    // Stored, nothing is said.
    this->settings.refuses = nullptr;
    prompter.Clear();
    CSetPrintingDlg again(printSettings, &printer, this->settings, prompter, {});
    again.AcceptPageSetup(PageMargins{500, 500, 500, 500});
    again.findChild<QPushButton*>("okButton")->click();
    EXPECT_TRUE(prompter.Silent());
    EXPECT_EQ(this->settings.GetString("Settings", "Multi"), "0");
}

TEST_F(SetPrintingDlgTest, PageSetupMarginsRoundDownAndAreStoredAtOnce) {
    PrintSettings printSettings;
    CSetPrintingDlg dialog(printSettings, &printer, this->settings, prompter, {});
    dialog.AcceptPageSetup(PageMargins{537, 537, 537, 537});
    EXPECT_EQ(dialog.Result().margins, (PageMargins{500, 500, 500, 500}));
    EXPECT_EQ(this->settings.GetString("Settings", "MarginT"), "500");
    EXPECT_EQ(this->settings.GetString("Settings", "MarginL"), "500");

    dialog.AcceptPageSetup(PageMargins{1537, 250, 1099, 99});
    EXPECT_EQ(dialog.Result().margins, (PageMargins{1500, 200, 1000, 0}));
    EXPECT_EQ(this->settings.GetString("Settings", "MarginL"), "1500");
    EXPECT_EQ(this->settings.GetString("Settings", "MarginT"), "200");
    EXPECT_EQ(this->settings.GetString("Settings", "MarginR"), "1000");
    EXPECT_EQ(this->settings.GetString("Settings", "MarginB"), "0");
    // The paper less the columns' 6.4 inches and both margins.
    EXPECT_EQ(dialog.Editor().RemainingSpace(), PrintableWidth(printer) - 6400 - 1500 - 1000);
    EXPECT_EQ(Text(dialog, "leftMarginDisplay"), "1.5\"");
    EXPECT_EQ(Text(dialog, "remainingSpaceDisplay"), "-0.6\"");

    dialog.AcceptFont(QStringLiteral("DejaVu Serif"), 140);  // beyond 12 points
    EXPECT_EQ(Text(dialog, "fontFaceDisplay"), "DejaVu Serif");
    EXPECT_EQ(Text(dialog, "fontSizeDisplay"), "12");
}

TEST_F(SetPrintingDlgTest, StandardPageSetupDialogStoresItsMarginsOnOk) {
    PrintSettings printSettings;
    printSettings.margins = PageMargins{700, 600, 800, 900};
    CSetPrintingDlg dialog(printSettings, &printer, this->settings, prompter, {});
    OnNextModalOf<QPageSetupDialog>([](QPageSetupDialog* setup) { setup->reject(); });
    dialog.findChild<QPushButton*>("pageSetupButton")->click();
    EXPECT_FALSE(this->settings.HasEntry("Settings", "MarginT"));

    OnNextModalOf<QPageSetupDialog>([](QPageSetupDialog* setup) {
        SaveScreenshot(*setup, QStringLiteral("page-setup.png"));
        setup->accept();
    });
    dialog.findChild<QPushButton*>("pageSetupButton")->click();
    // The dialog opened on the current margins; OK keeps them, stored at once.
    EXPECT_EQ(this->settings.GetString("Settings", "MarginL"), "700");
    EXPECT_EQ(this->settings.GetString("Settings", "MarginT"), "600");
    EXPECT_EQ(this->settings.GetString("Settings", "MarginR"), "800");
    EXPECT_EQ(this->settings.GetString("Settings", "MarginB"), "900");
    // The printer itself keeps its whole printable area for the layout.
    EXPECT_EQ(printer.pageLayout().margins(), QMarginsF());
}

TEST_F(SetPrintingDlgTest, CommandKeepsMarginsAfterCancelAndTheRestOnlyOnOk) {
    PrintController printing(*doc, prompter, settings, PrintHost{});
    printing.LoadSettings();
    auto withDialog = [](std::function<void(CSetPrintingDlg&)> act) {
        OnNextModalOf<CSetPrintingDlg>([act](CSetPrintingDlg* dialog) { act(*dialog); });
    };

    withDialog([](CSetPrintingDlg& dialog) {
        dialog.AcceptPageSetup(PageMargins{1000, 700, 1000, 700});
        dialog.findChild<QCheckBox*>("columnBox2")->click();
        dialog.reject();
    });
    printing.SetPrintContents();
    EXPECT_EQ(printing.Settings().margins, (PageMargins{1000, 700, 1000, 700}));
    EXPECT_EQ(printing.Settings().columns[kColumnCounty], 0);
    EXPECT_FALSE(settings.HasEntry("Settings", "Columns"));
    EXPECT_EQ(settings.GetString("Settings", "MarginB"), "700");

    withDialog([](CSetPrintingDlg& dialog) {
        dialog.findChild<QCheckBox*>("columnBox0")->click();  // Location off
        dialog.AcceptFont(QStringLiteral("DejaVu Sans"), 100);
        dialog.accept();
    });
    printing.SetPrintContents();
    EXPECT_EQ(printing.Settings().columns[kColumnLocation], 0);
    EXPECT_EQ(printing.Settings().fontFace, "DejaVu Sans");
    EXPECT_EQ(printing.Settings().fontSize, 100);
    EXPECT_EQ(settings.GetString("Settings", "Columns"), "0,1000,0,500,200,0,0,900,900,900,500");
    EXPECT_EQ(settings.GetString("Settings", "Multi"), "0");
}
