#include <QFile>
#include <QFileInfo>
#include <sstream>

#include "output/qt/PrintCommandLine.h"
#include "output/qt/PrintController.h"
#include "tests/output/FileSizeLimit.h"
#include "tests/output/OutputFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

class PrintCommandLineTest : public OutputFixture {
  protected:
    void SetUp() override { OutputFixture::SetUp(); }
    int Run(const QStringList& arguments) {
        err.str({});
        return RunPrintCommand(
            ParsePrintCommand(arguments), dir.Path(), settings,
            [] {
                return LocalDate{2026, 12, 7};
            },
            [this](const CChimesetDoc& d) {
                headerFor = d.UserName();
                return "Ringing Records for " + d.UserName();
            },
            err);
    }
    std::ostringstream err;
    std::string headerFor;
};

}  // namespace

TEST_F(PrintCommandLineTest, Switches) {
    EXPECT_EQ(ParsePrintCommand({"RINGER1.CBL"}).kind, PrintCommand::Kind::None);
    EXPECT_EQ(ParsePrintCommand({}).kind, PrintCommand::Kind::None);
    const PrintCommand print = ParsePrintCommand({"--print", "a.cbl"});
    EXPECT_EQ(print.kind, PrintCommand::Kind::Print);
    EXPECT_EQ(print.logPath, "a.cbl");
    const PrintCommand pdf = ParsePrintCommand({"--pdf", "out.pdf", "a.cbl"});
    EXPECT_EQ(pdf.kind, PrintCommand::Kind::Pdf);
    EXPECT_EQ(pdf.pdfPath, "out.pdf");
    EXPECT_EQ(pdf.logPath, "a.cbl");
    for (const QStringList& bad :
         {QStringList{"--print"}, QStringList{"--pdf", "a.cbl"}, QStringList{"a.cbl", "--print"},
          QStringList{"--print", "a", "b"}, QStringList{"--pdf", "--print", "a.cbl"}})
        EXPECT_EQ(ParsePrintCommand(bad).kind, PrintCommand::Kind::Invalid)
            << bad.join(' ').toStdString();
}

TEST_F(PrintCommandLineTest, PdfOfAReadOnlyLog) {
    const std::string log = dir.WriteLines("RINGER1.CBL", StandardLog());
    settings.WriteString("Settings", "Columns", "1500,1000,1000");
    const QString out = QString::fromStdString(dir.File("out.pdf"));
    EXPECT_EQ(Run({"--pdf", out, QString::fromStdString(log)}), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    // The read-only log's user name is its file name.
    EXPECT_EQ(headerFor, "RINGER1.CBL");
    // Nothing was written to the log or the settings.
    EXPECT_EQ(settings.GetString("Settings", "Columns"), "1500,1000,1000");
}

TEST_F(PrintCommandLineTest, FailuresExitNonZeroWithAMessage) {
    EXPECT_EQ(Run({"--pdf", "out.pdf"}), 2);
    EXPECT_NE(err.str().find("Usage: chimeset --print LOG"), std::string::npos);

    EXPECT_EQ(Run({"--pdf", QString::fromStdString(dir.File("out.pdf")),
                   QString::fromStdString(dir.File("missing.CBL"))}),
              1);
    EXPECT_NE(err.str().find("could not be opened"), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.File("out.pdf"))));

    const std::string log = dir.WriteLines("RINGER1.CBL", StandardLog());
    EXPECT_EQ(Run({"--pdf", QString::fromStdString(dir.File("none/out.pdf")),
                   QString::fromStdString(log)}),
              1);
    EXPECT_NE(err.str().find("Printing could not start"), std::string::npos);

    if (!PrintController::IsPrinterInstalled()) {
        EXPECT_EQ(Run({"--print", QString::fromStdString(log)}), 1);
        EXPECT_NE(err.str().find("no printer is installed"), std::string::npos);
    }
}

// A file name is shown as the terminal spells it, converted once, not twice.
TEST_F(PrintCommandLineTest, MissingLogWithAnAccentedNameIsNamedOnce) {
    const std::string missing = dir.File("Caf\xC3\xA9.CBL");
    EXPECT_EQ(Run({"--pdf", QString::fromStdString(dir.File("out.pdf")),
                   QString::fromStdString(missing)}),
              1);
    EXPECT_NE(err.str().find("chimeset: " + missing + ": "), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find("Caf\xC3\x83"), std::string::npos) << err.str();
}

// A PDF that cannot be written in full fails the command, and leaves no broken file.
TEST_F(PrintCommandLineTest, PdfOnAFullDiskExitsOneAndLeavesNoFile) {
    const QString log = QString::fromStdString(dir.WriteLines("RINGER1.CBL", StandardLog()));
#ifdef CHIMESET_HAS_FILE_SIZE_LIMIT
    const QString out = QString::fromStdString(dir.File("out.pdf"));
    int status = 0;
    {
        FileSizeLimit limit(2048);
        ASSERT_TRUE(limit.Active());
        status = Run({"--pdf", out, log});
    }
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_NE(err.str().find("chimeset: The PDF file \"" + out.toStdString() +
                             "\" could not be written in full"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("The incomplete file has been removed."), std::string::npos);
#endif
    // A device that is always full: the reason is given, and the device itself stays.
    const QString device = QStringLiteral("/dev/full");
    if (!QFileInfo(device).exists()) GTEST_SKIP() << "no " << device.toStdString();
    EXPECT_EQ(Run({"--pdf", device, log}), 1);
    EXPECT_NE(err.str().find("\"/dev/full\" could not be written in full: No space left on "
                             "device."),
              std::string::npos)
        << err.str();
    EXPECT_EQ(err.str().find("removed"), std::string::npos);
    EXPECT_TRUE(QFileInfo(device).exists());
    EXPECT_FALSE(QFileInfo(device).isFile());
}
