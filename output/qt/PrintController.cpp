#include "output/qt/PrintController.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <algorithm>
#include <utility>

#include "common/PathText.h"
#include "common/Prompter.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "common/qt/Codec.h"
#include "common/qt/Platform.h"
#include "output/qt/CSetPrintingDlg.h"
#include "output/qt/PrintPainterCanvas.h"
#include "users/UserRegister.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

const char* const kPageTooSmall =
    "The page cannot hold the title row and one record. Please make the margins or the "
    "font smaller, or choose larger paper with Page Setup.";
const char* const kCannotPrint = "Printing could not start on \"%s\".";
const char* const kCannotCreate = "Printing could not start on \"%s\": %s.";
const char* const kNotFinished = "Printing on \"%s\" did not finish.";
const char* const kPdfNotWritten = "The PDF file \"%s\" could not be written in full";
const char* const kPartialRemoved = " The incomplete file has been removed.";
const char* const kPdfWritten = "The pages have been written to the PDF file \"%s\".";
// The resolution of a high-resolution printer.
constexpr int kPdfResolution = 1200;
const char* const kEmptyRange = "The pages chosen are not part of this printout of %i pages.";

// The first and last page that the printer asks for; 0 for the first or the last.
std::pair<int, int> PageRangeOf(const QPrinter& printer) {
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        return {printer.fromPage(), printer.toPage()};
    return {0, 0};
}

}  // namespace

std::int32_t PrintableWidth(QPrinter& printer) {
    const int dpi = printer.logicalDpiX();
    if (dpi <= 0) return 0;
    return static_cast<std::int32_t>(static_cast<std::int64_t>(printer.width()) * 1000 / dpi);
}

void UseWholePrintableArea(QPrinter& printer) {
    printer.setFullPage(false);
    QPageLayout layout = printer.pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    layout.setMargins(layout.minimumMargins());
    printer.setPageLayout(layout);
}

PrintController::PrintController(CChimesetDoc& doc, Prompter& prompter, SettingsStore& store,
                                 PrintHost host, QWidget* dialogParent)
    : doc_(doc),
      prompter_(prompter),
      store_(store),
      host_(std::move(host)),
      dialogParent_(dialogParent) {}

PrintController::~PrintController() = default;

void PrintController::LoadSettings() {
    LoadPrintSettings(store_, settings_);
}

bool PrintController::IsPrinterInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QPrinter& PrintController::ApplicationPrinter() {
    if (!printer_) {
        QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            const QStringList names = QPrinterInfo::availablePrinterNames();
            if (!names.isEmpty()) info = QPrinterInfo::printerInfo(names.front());
        }
        if (!info.isNull()) {
            printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        } else {
            printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setPageSize(QPageSize(QPageSize::A4));
        }
        UseWholePrintableArea(*printer_);
    }
    return *printer_;
}

void PrintController::Fail(const std::string& text) {
    lastError_ = text;
    Notice notice;
    notice.text = text;
    notice.icon = NoticeIcon::Stop;
    prompter_.Show(notice);
}

void PrintController::Inform(const std::string& text) {
    Notice notice;
    notice.text = text;
    notice.icon = NoticeIcon::Information;
    prompter_.Show(notice);
}

bool PrintController::Prepare() {
    lastError_.clear();
    if (doc_.IsLogOpen() && doc_.IsReadOnly() && doc_.GetFilter() == kFilterAllTowers) {
        if (host_.showList) {
            host_.showList(kFilterVisited, kOrderAlphabetical);
        } else {
            doc_.SetFilter(kFilterVisited);
            doc_.SetOrder(kOrderAlphabetical);
        }
    }
    QPrinter& printer = ApplicationPrinter();
    PrintPainterCanvas measure(printer, nullptr, settings_.fontFace, settings_.fontSize);
    PrintLayout layout(doc_, settings_);
    const PrintLayout::CountResult result = layout.CountPages(measure);
    if (result == PrintLayout::CountResult::PageTooSmall) {
        Fail(kPageTooSmall);
        return false;
    }
    countedStarts_ = layout.PageStarts();
    maxPage_ = layout.PageCount();
    return true;
}

PrintController::RenderResult PrintController::RenderPages(
    QPagedPaintDevice& device, int fromPage, int toPage,
    const std::function<bool()>& beforePainting) {
    // The job's own device may differ from the printer counted in Prepare (another printer
    // or paper chosen in the Print dialog): its pages are counted again, so that a range
    // starting after page 1 starts at the right record and the footer's total holds.
    PrintLayout layout(doc_, settings_);
    {
        PrintPainterCanvas measure(device, nullptr, settings_.fontFace, settings_.fontSize);
        if (layout.CountPages(measure) == PrintLayout::CountResult::PageTooSmall) {
            Fail(kPageTooSmall);
            return RenderResult::Reported;
        }
    }
    const int pages = layout.PageCount();
    const int from = fromPage > 0 ? fromPage : 1;
    const int to = toPage > 0 ? std::min(toPage, pages) : pages;
    if (from > to) {
        Fail(Format(kEmptyRange, pages));
        return RenderResult::Reported;
    }
    if (beforePainting && !beforePainting()) return RenderResult::Reported;

    QPainter painter;
    if (!painter.begin(&device)) return RenderResult::NotStarted;
    PrintPainterCanvas canvas(device, &painter, settings_.fontFace, settings_.fontSize);
    for (int page = from; page <= to; ++page) {
        if (page > from) device.newPage();
        layout.PrintPage(canvas, page, pages, true);
    }
    const bool ended = painter.end();
    return ended ? RenderResult::Done : RenderResult::NotFinished;
}

bool PrintController::RenderJob(QPrinter& printer) {
    const auto [from, to] = PageRangeOf(printer);
    // The printer's own PDF output would not tell a file left unfinished on a full disk.
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return WritePdf(printer.outputFileName(), printer.pageLayout(), printer.resolution(), from,
                        to);

    return PaintOnPrinter(printer);
}

bool PrintController::PaintOnPrinter(QPrinter& printer) {
    const auto [from, to] = PageRangeOf(printer);
    const QString target =
        printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
    switch (RenderPages(printer, from, to, {})) {
        case RenderResult::Reported:
            return false;
        case RenderResult::NotStarted:
            Fail(Format(kCannotPrint, ToWindows1252(target).c_str()));
            return false;
        case RenderResult::NotFinished:
            Fail(Format(kNotFinished, ToWindows1252(target).c_str()));
            return false;
        case RenderResult::Done:
            break;
    }
    if (printer.printerState() == QPrinter::Error) {
        Fail(Format(kNotFinished, ToWindows1252(target).c_str()));
        return false;
    }
    return true;
}

bool PrintController::WritePdf(const QString& path, const QPageLayout& pageLayout, int resolution,
                               int fromPage, int toPage) {
    const std::string shownPath = ToWindows1252(QDir::toNativeSeparators(path));
    QFile file(path);
    QPdfWriter writer(&file);
    writer.setResolution(resolution);
    writer.setPageLayout(pageLayout);
    // The file is opened only when the pages are known: a page too small or a range
    // beyond the last page leaves an existing file as it was.
    const RenderResult result = RenderPages(writer, fromPage, toPage, [&] {
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return true;
        Fail(Format(kCannotCreate, shownPath.c_str(), ToWindows1252(file.errorString()).c_str()));
        return false;
    });
    if (result == RenderResult::Reported) return false;
    // Closing writes out what is still buffered: a full disk shows here at the latest.
    file.close();
    if (result == RenderResult::Done && file.error() == QFileDevice::NoError) return true;

    std::string text = Format(kPdfNotWritten, shownPath.c_str());
    if (file.error() != QFileDevice::NoError) text += ": " + ToWindows1252(file.errorString());
    text += '.';
    // A device such as /dev/full is no partial file of ours to remove.
    if (QFileInfo(path).isFile() && QFile::remove(path)) text += kPartialRemoved;
    Fail(text);
    return false;
}

bool PrintController::PrintToPdf(const QString& path) {
    QPageLayout layout = ApplicationPrinter().pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    return WritePdf(path, layout, kPdfResolution, 0, 0);
}

std::string PrintController::PdfFolder() const {
    const NativePath data = UserRegister::DataFolderIn(store_);
    if (!data.empty() && IsDirectory(data.Native())) return data.Native();
    return DocumentsFolder();
}

void PrintController::Print() {
    if (!Prepare()) return;
    if (!IsPrinterInstalled()) {
        // Without a printer the pages go to a PDF file of the same layout.
        FileDialogRequest request;
        request.title = "Print to PDF File";
        const std::string title = doc_.GetTitle().substr(0, doc_.GetTitle().rfind('.'));
        // The title is text; the name offered beside the data folder is a native path.
        const std::string name =
            NativePathFromText((title.empty() ? std::string("Clangbook Log") : title) + ".pdf");
        const std::string folder = PdfFolder();
        request.initialPath = NativePath(folder.empty() ? name : JoinPath(folder, name));
        request.defaultExtension = "pdf";
        request.filter = "PDF Files (*.pdf)|*.pdf||";
        request.promptOverwrite = true;
        const std::optional<std::string> chosen = prompter_.AskSaveFileName(request);
        if (!chosen) return;
        const QString path = FromNativePath(*chosen);
        if (PrintToPdf(path))
            Inform(Format(kPdfWritten, ToWindows1252(QDir::toNativeSeparators(path)).c_str()));
        return;
    }
    QPrinter& printer = ApplicationPrinter();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintDialog dialog(&printer, dialogParent_);
    dialog.setMinMax(1, maxPage_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return;
    const bool toFile =
        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    if (RenderJob(printer) && toFile)
        Inform(Format(kPdfWritten,
                      ToWindows1252(QDir::toNativeSeparators(printer.outputFileName())).c_str()));
}

void PrintController::PrintPreview() {
    if (!Prepare()) return;
    // A range chosen in an earlier Print dialog stays on the printer: the preview shows
    // every page.
    QPrinter& printer = ApplicationPrinter();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintPreviewDialog dialog(&printer, dialogParent_);
    dialog.setWindowTitle(QStringLiteral("Print Preview"));
    // Large enough to read a page, not the dialog's small default size.
    if (const QScreen* screen = dialog.screen())
        dialog.resize(dialog.sizeHint().expandedTo(screen->availableGeometry().size() * 0.75));
    // The preview's printer still names the file of an earlier print to file: the pages
    // must go to the preview, never to that file.
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* previewPrinter) { PaintOnPrinter(*previewPrinter); });
    dialog.exec();
}

void PrintController::SetPrintContents() {
    CSetPrintingDlg dialog(settings_, &ApplicationPrinter(), store_, prompter_, host_.showHelp,
                           dialogParent_);
    if (dialog.exec() == QDialog::Accepted) {
        const PrintSettings& chosen = dialog.Result();
        settings_.fontFace = chosen.fontFace;
        settings_.fontSize = chosen.fontSize;
        settings_.multiline = chosen.multiline;
        settings_.pageHeader = chosen.pageHeader;
        settings_.columns = chosen.columns;  // the dialog stored them as OK was pressed
    }
    // Page Setup stored its margins at once: they stand after Cancel too.
    settings_.margins = dialog.Result().margins;
}

}  // namespace chimeset
