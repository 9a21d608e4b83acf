// The page layout through the real devices: an A4 PDF printer, and a picture of a page.
#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

#include "common/Text.h"
#include "common/TextFile.h"
#include "output/qt/PrintController.h"
#include "output/qt/PrintPainterCanvas.h"
#include "tests/output/FileSizeLimit.h"
#include "tests/output/OutputFixture.h"
#include "tests/support/qt/ModalDialog.h"
#include "tests/support/qt/Screenshot.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF")) return -1;
    return static_cast<int>(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
                            bytes.count("/Type /Page/") + bytes.count("/Type /Page>"));
}

// A list long enough for several pages: 300 towers, every one visited.
class ManyTowers : public OutputFixture {
  protected:
    void SetUp() override {
        std::vector<std::string> dove{kOutDoveHeader};
        std::vector<std::string> log{kOutLogHeader};
        for (int i = 1; i <= 300; ++i) {
            const std::string line = Format(
                "Tower %03d\\St Mary\\Kent\\TQ123456\\51.2\\0.5\\8\\%d\\%d", i, 500 + i, 1000 + i);
            dove.push_back(line);
            log.push_back(LogRecord(line, MakePackedDate(1 + i % 28, 1 + i % 12, 2000 + i % 20), 0,
                                    0, i % 50 == 0 ? "Rang the back eight\r\nthen tea" : ""));
        }
        dir.WriteLines("DoveData.CB0", dove);
        settings.WriteString("Users", "RINGER1", "Ringer One");
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        ASSERT_TRUE(OpenLog(log, ""));
        doc->SetFilter(kFilterAllTowers);
        doc->SetOrder(kOrderAlphabetical);
    }

    PrintHost Host() {
        // As the view does: the new list shows with its first item selected.
        return PrintHost{[this](ListFilter filter, ListOrder order) {
                             shownLists.emplace_back(filter, order);
                             doc->SetFilter(filter);
                             doc->SetOrder(order);
                             doc->SelectListItem(0);
                         },
                         {}};
    }

    std::vector<std::pair<std::int32_t, std::int32_t>> shownLists;
};

// A blank page picture at 100 dots per inch, like a letter page on a coarse printer.
QImage BlankPage() {
    QImage page(850, 1100, QImage::Format_RGB32);
    page.setDotsPerMeterX(3937);
    page.setDotsPerMeterY(3937);
    page.fill(Qt::white);
    return page;
}

// Draws the layout's first page into the picture, after laying it out on the same picture.
void DrawFirstPage(PrintLayout& layout, QImage& page, const PrintSettings& printSettings) {
    QPainter painter(&page);
    PrintPainterCanvas canvas(page, &painter, printSettings.fontFace, printSettings.fontSize);
    ASSERT_EQ(canvas.DpiX(), 100);
    layout.PrintPage(canvas, 1, layout.PageCount());
}

// The pixels darker than the threshold in the rectangle.
int InkIn(const QImage& page, int left, int top, int right, int bottom, int threshold) {
    int ink = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (qGray(page.pixel(x, y)) < threshold) ++ink;
    return ink;
}

}  // namespace

TEST_F(ManyTowers, ReadOnlyLogPrintsMyVisitsIntoPdfPages) {
    PrintController printing(*doc, prompter, settings, Host());
    printing.LoadSettings();
    printing.SetPageHeader("Ringing Records for RINGER1.CBL");
    ASSERT_TRUE(printing.Prepare());
    // The view was asked to show My Visits in alphabetical order.
    EXPECT_EQ(
        shownLists,
        (std::vector<std::pair<std::int32_t, std::int32_t>>{{kFilterVisited, kOrderAlphabetical}}));
    EXPECT_EQ(doc->GetFilter(), kFilterVisited);
    const int pages = printing.MaxPage();
    EXPECT_GE(pages, 3);
    EXPECT_EQ(printing.CountedPageStarts().size(), static_cast<std::size_t>(pages));
    EXPECT_EQ(printing.CountedPageStarts()[0], 0);

    const QString pdf = QString::fromStdString(dir.File("list.pdf"));
    ASSERT_TRUE(printing.PrintToPdf(pdf));
    EXPECT_EQ(PdfPageCount(pdf), pages);
    EXPECT_TRUE(prompter.Silent());
    // Printing reads the list without moving the view's selection.
    EXPECT_EQ(doc->CurrentLocation(), "Tower 001");

    // A range that starts after page 1 prints just those pages.
    QPrinter range(QPrinter::HighResolution);
    range.setOutputFormat(QPrinter::PdfFormat);
    range.setPageSize(QPageSize(QPageSize::A4));
    UseWholePrintableArea(range);
    range.setOutputFileName(QString::fromStdString(dir.File("range.pdf")));
    range.setPrintRange(QPrinter::PageRange);
    range.setFromTo(2, 3);
    ASSERT_TRUE(printing.RenderJob(range));
    EXPECT_EQ(PdfPageCount(QString::fromStdString(dir.File("range.pdf"))), 2);

    range.setFromTo(pages + 1, pages + 2);
    EXPECT_FALSE(printing.RenderJob(range));
    EXPECT_EQ(prompter.notices.size(), 1u);

    // An unwritable file is a failure with a message, not a silent success.
    EXPECT_FALSE(printing.PrintToPdf(QString::fromStdString(dir.File("no/such/folder/x.pdf"))));
    EXPECT_EQ(prompter.notices.size(), 2u);
}

TEST_F(ManyTowers, TinyPaperStopsWithAMessage) {
    PrintController printing(*doc, prompter, settings, Host());
    printing.LoadSettings();
    printing.Settings().margins = PageMargins{500, 5600, 500, 5600};
    EXPECT_FALSE(printing.Prepare());
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_NE(prompter.notices[0].text.find("cannot hold the title row and one record"),
              std::string::npos);
}

TEST_F(ManyTowers, PrintWithoutPrinterOffersPdfFile) {
    if (PrintController::IsPrinterInstalled()) GTEST_SKIP() << "a printer is installed here";
    // The file dialog starts in the users' data folder, beside their logs.
    const std::string data = dir.File("logs");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(data)));
    settings.WriteString("Users", "DataFolder", data);
    PrintController printing(*doc, prompter, settings, Host());
    printing.LoadSettings();
    const std::string printed = dir.File("printed.pdf");
    prompter.QueueFileName(printed);
    printing.Print();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    EXPECT_EQ(prompter.saveRequests[0].defaultExtension, "pdf");
    EXPECT_EQ(prompter.saveRequests[0].initialPath.Native(), JoinPath(data, "RINGER1.pdf"));
    EXPECT_GE(PdfPageCount(QString::fromStdString(printed)), 3);
    // It says where the file went.
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Information);
    EXPECT_NE(prompter.notices[0].text.find("\"" + printed + "\""), std::string::npos)
        << prompter.notices[0].text;

    // Cancelling the file name prints nothing.
    prompter.Clear();
    prompter.QueueFileName(std::nullopt);
    printing.Print();
    EXPECT_TRUE(prompter.Silent());

#ifdef CHIMESET_HAS_FILE_SIZE_LIMIT
    // A disk that fills up: no unreadable file is left behind, and the user is told why.
    const std::string full = dir.File("full.pdf");
    prompter.QueueFileName(full);
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Active());
        printing.Print();
    }
    EXPECT_FALSE(QFile::exists(QString::fromStdString(full)));
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_EQ(prompter.notices[0].icon, NoticeIcon::Stop);
    EXPECT_NE(
        prompter.notices[0].text.find("The PDF file \"" + full + "\" could not be written in full"),
        std::string::npos)
        << prompter.notices[0].text;
    EXPECT_NE(prompter.notices[0].text.find("The incomplete file has been removed."),
              std::string::npos);
#endif
}

TEST_F(ManyTowers, PdfFileDialogStartsInTheDataFolderElseTheDocuments) {
    PrintController printing(*doc, prompter, settings, Host());
    const std::string data = dir.File("logs");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(data)));
    settings.WriteString("Users", "DataFolder", data);
    EXPECT_EQ(printing.PdfFolder(), data);

    // A data folder that has gone, or none registered: the documents folder.
    const QByteArray home = qgetenv("HOME");
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    const std::string documents = dir.File("home/Documents");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(documents)));
    qputenv("HOME", QByteArray::fromStdString(dir.File("home")));
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir.File("home/.config")));
    settings.WriteString("Users", "DataFolder", dir.File("gone"));
    const std::string afterGone = printing.PdfFolder();
    settings.DeleteEntry("Users", "DataFolder");
    const std::string afterNone = printing.PdfFolder();
    qputenv("HOME", home);
    if (config.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", config);
    EXPECT_EQ(afterGone, documents);
    EXPECT_EQ(afterNone, documents);
}

// The proposed PDF name comes from the log's title, which is text: on disk it must be
// spelt as the file system spells it.
TEST_F(ManyTowers, AccentedLogTitleIsProposedAsANativeFileName) {
    if (PrintController::IsPrinterInstalled()) GTEST_SKIP() << "a printer is installed here";
    const std::string data = dir.File("logs");
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(data)));
    settings.WriteString("Users", "DataFolder", data);
    const std::string log = dir.Write("Caf\xC3\xA9.CBL", ReadBytes(dir.File("RINGER1.CBL")));
    std::string user;
    ASSERT_TRUE(doc->OpenLog(log, user));
    ASSERT_EQ(doc->GetTitle(), "Caf\xE9.CBL");
    PrintController printing(*doc, prompter, settings, Host());
    printing.LoadSettings();
    prompter.QueueFileName(std::nullopt);
    printing.Print();
    ASSERT_EQ(prompter.saveRequests.size(), 1u);
    const std::string proposed = prompter.saveRequests[0].initialPath.Native();
    EXPECT_EQ(proposed, JoinPath(data, "Caf\xC3\xA9.pdf"));
    EXPECT_EQ(QString::fromUtf8(proposed.c_str()).toStdString(), proposed);
}

#ifdef CHIMESET_HAS_FILE_SIZE_LIMIT
// Writes that fail part way, as on a full disk: the file goes, the failure is told.
TEST_F(ManyTowers, PdfThatCannotBeWrittenInFullIsRemoved) {
    PrintController printing(*doc, prompter, settings, Host());
    printing.LoadSettings();
    ASSERT_TRUE(printing.Prepare());
    const QString pdf = QString::fromStdString(dir.File("full.pdf"));
    bool printed = true;
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Active());
        printed = printing.PrintToPdf(pdf);
    }
    EXPECT_FALSE(printed);
    EXPECT_FALSE(QFile::exists(pdf));
    ASSERT_EQ(prompter.notices.size(), 1u);
    EXPECT_NE(prompter.notices[0].text.find("could not be written in full"), std::string::npos);
    EXPECT_NE(prompter.notices[0].text.find("The incomplete file has been removed."),
              std::string::npos);
    // The view's selection stands all the same.
    EXPECT_EQ(doc->CurrentLocation(), "Tower 001");

    // The same through a printer that prints to a PDF file, as the Print dialog sets up.
    QPrinter toFile(QPrinter::HighResolution);
    toFile.setOutputFormat(QPrinter::PdfFormat);
    toFile.setPageSize(QPageSize(QPageSize::A4));
    toFile.setOutputFileName(pdf);
    {
        FileSizeLimit limit(4096);
        printed = printing.RenderJob(toFile);
    }
    EXPECT_FALSE(printed);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(prompter.notices.size(), 2u);

    // With room again both write every page.
    ASSERT_TRUE(printing.RenderJob(toFile));
    EXPECT_EQ(PdfPageCount(pdf), printing.MaxPage());
    ASSERT_TRUE(printing.PrintToPdf(pdf));
    EXPECT_EQ(PdfPageCount(pdf), printing.MaxPage());
    EXPECT_EQ(prompter.notices.size(), 2u);
}
#endif

// A page drawn into a picture at 100 dots per inch: what ink lands where.
TEST_F(ManyTowers, DrawnPageKeepsInsideItsMargins) {
    doc->SetFilter(kFilterVisited);
    PrintSettings printSettings;
    printSettings.columns = ColumnWidths{4000, 4000, 0, 500, 200, 0, 0, 900, 900, 900, 500};
    printSettings.multiline = true;
    printSettings.pageHeader = "Header";
    QImage page = BlankPage();
    PrintLayout layout(*doc, printSettings);
    {
        PrintPainterCanvas measure(page, nullptr, printSettings.fontFace, printSettings.fontSize);
        ASSERT_EQ(layout.CountPages(measure), PrintLayout::CountResult::Ok);
    }
    DrawFirstPage(layout, page, printSettings);
    auto inkIn = [&page](int left, int top, int right, int bottom) {
        return InkIn(page, left, top, right, bottom, 128);
    };
    // Nothing in the margins: the second 4-inch column is cut at the right edge.
    EXPECT_EQ(inkIn(0, 0, 50, 1100), 0);
    EXPECT_EQ(inkIn(801, 0, 850, 1100), 0);
    EXPECT_EQ(inkIn(0, 0, 850, 50), 0);
    EXPECT_EQ(inkIn(0, 1051, 850, 1100), 0);
    // The title row's black text background, the rows, the footer.
    EXPECT_GT(inkIn(50, 70, 800, 100), 500);
    EXPECT_GT(inkIn(50, 100, 450, 1000), 1000);
    EXPECT_GT(inkIn(300, 1020, 550, 1050), 10);
}

TEST_F(ManyTowers, PreviewShowsTheSamePagesAsThePdf) {
    PrintController printing(*doc, prompter, settings, Host());
    printing.LoadSettings();
    printing.Settings().multiline = true;
    ASSERT_TRUE(printing.Prepare());
    QPrintPreviewWidget preview(&printing.ApplicationPrinter());
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                     [&printing](QPrinter* printer) { printing.RenderJob(*printer); });
    preview.resize(900, 1000);
    preview.updatePreview();
    const QString pdf = QString::fromStdString(dir.File("same.pdf"));
    ASSERT_TRUE(printing.PrintToPdf(pdf));
    EXPECT_EQ(preview.pageCount(), printing.MaxPage());
    EXPECT_EQ(PdfPageCount(pdf), preview.pageCount());
    preview.fitInView();
    SaveScreenshot(preview, QStringLiteral("print-preview.png"));
}

// The Print dialog leaves its page range and any file name on the application's printer;
// the preview that follows must still show every page, and only in the preview.
TEST_F(ManyTowers, PreviewShowsEveryPageAfterAPrintOfARange) {
    PrintController printing(*doc, prompter, settings, Host());
    printing.LoadSettings();
    ASSERT_TRUE(printing.Prepare());
    const int pages = printing.MaxPage();
    ASSERT_GE(pages, 3);
    QPrinter& printer = printing.ApplicationPrinter();
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    // A print to file leaves its file name on the printer too: the preview never writes it.
    const QString chosen = QString::fromStdString(dir.File("chosen.pdf"));
    printer.setOutputFileName(chosen);

    int shown = -1;
    OnNextModalOf<QPrintPreviewDialog>([&shown](QPrintPreviewDialog* dialog) {
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        preview->updatePreview();
        shown = preview->pageCount();
        // Most of the screen, for a page that can be read.
        const QSize screen = dialog->screen()->availableGeometry().size();
        EXPECT_GE(dialog->width(), screen.width() * 3 / 4 - 1);
        EXPECT_GE(dialog->height(), screen.height() * 3 / 4 - 1);
        dialog->reject();
    });
    printing.PrintPreview();
    EXPECT_EQ(shown, pages);
    EXPECT_TRUE(prompter.Silent());
    EXPECT_FALSE(QFile::exists(chosen));
}

namespace {

// Towers of ten bells and more, every one visited.
class BigRings : public OutputFixture {
  protected:
    void SetUp() override {
        std::vector<std::string> dove{kOutDoveHeader};
        std::vector<std::string> log{kOutLogHeader};
        for (int bells : {10, 12, 16, 10, 12}) {
            const std::string line =
                Format("Ring of %d %d\\St Mary\\Kent\\TQ123456\\51.2\\0.5\\%d\\3000\\%d", bells,
                       static_cast<int>(dove.size()), bells, 2000 + static_cast<int>(dove.size()));
            dove.push_back(line);
            log.push_back(LogRecord(line, MakePackedDate(1, 2, 2003), 0, 0));
        }
        dir.WriteLines("DoveData.CB0", dove);
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        ASSERT_TRUE(OpenLog(log, ""));
        doc->SetFilter(kFilterVisited);
    }
};

}  // namespace

// With the default columns the No cell is 0.1 inch: narrower than two digits, and
// narrower than a digit and the ellipsis. The bells still show, cut at the cell's edge.
TEST_F(BigRings, BellsOfTenAndMoreShowInTheDefaultColumn) {
    PrintSettings printSettings;
    QImage page = BlankPage();
    PrintLayout layout(*doc, printSettings);
    int firstRow = 0;
    int rowHeight = 0;
    {
        PrintPainterCanvas measure(page, nullptr, printSettings.fontFace, printSettings.fontSize);
        ASSERT_EQ(layout.CountPages(measure), PrintLayout::CountResult::Ok);
        measure.SelectFont(PrintFont::Title);
        const int titleHeight = measure.LineHeight();
        measure.SelectFont(PrintFont::Body);
        rowHeight = measure.LineHeight();
        firstRow = 50 + titleHeight + 10 + rowHeight;
    }
    DrawFirstPage(layout, page, printSettings);
    auto inkIn = [&page](int left, int top, int right, int bottom) {
        return InkIn(page, left, top, right, bottom, 160);
    };
    // Location 1.5", Dedication 1.0", Weight 0.5": the No cell runs from 350 to 360, then
    // the gutter to 370.
    for (int row = 0; row < 5; ++row) {
        const int top = firstRow + row * rowHeight;
        EXPECT_GT(inkIn(350, top, 360, top + rowHeight), 5) << "row " << row;
        EXPECT_EQ(inkIn(360, top, 370, top + rowHeight), 0) << "row " << row;
        // The Weight cell (300 to 340) has its text too.
        EXPECT_GT(inkIn(300, top, 340, top + rowHeight), 5) << "row " << row;
    }
}
