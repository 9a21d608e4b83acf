#include "output/qt/PrintController.h"

#include <QDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <algorithm>

#include "common/Prompter.h"
#include "common/SettingsStore.h"
#include "common/Text.h"
#include "common/qt/Codec.h"
#include "output/qt/CSetPrintingDlg.h"
#include "output/qt/PrintPainterCanvas.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

const char* const kPageTooSmall =
    "The page cannot hold the title row and one record. Please make the margins or the "
    "font smaller, or choose larger paper with Page Setup.";
const char* const kCannotPrint = "Printing could not start on \"%s\".";
const char* const kEmptyRange = "The pages chosen are not part of this printout of %i pages.";

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

void PrintController::RestoreSelection() {
    doc_.SelectListItem(host_.currentIndex ? host_.currentIndex() : 0);
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
    RestoreSelection();
    if (result == PrintLayout::CountResult::PageTooSmall) {
        Fail(kPageTooSmall);
        return false;
    }
    countedStarts_ = layout.PageStarts();
    maxPage_ = layout.PageCount();
    return true;
}

bool PrintController::RenderJob(QPrinter& printer) {
    // The job's own printer may differ from the one counted in Prepare (another printer
    // or paper chosen in the Print dialog): its pages are counted again, so that a range
    // starting after page 1 starts at the right record and the footer's total holds.
    PrintLayout layout(doc_, settings_);
    {
        PrintPainterCanvas measure(printer, nullptr, settings_.fontFace, settings_.fontSize);
        if (layout.CountPages(measure) == PrintLayout::CountResult::PageTooSmall) {
            RestoreSelection();
            Fail(kPageTooSmall);
            return false;
        }
    }
    const int pages = layout.PageCount();
    int from = 1;
    int to = pages;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = printer.fromPage();
        to = printer.toPage() > 0 ? std::min(printer.toPage(), pages) : pages;
    }
    if (from > to) {
        RestoreSelection();
        Fail(Format(kEmptyRange, pages));
        return false;
    }

    QPainter painter;
    if (!painter.begin(&printer)) {
        RestoreSelection();
        const QString target =
            printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
        Fail(Format(kCannotPrint, ToWindows1252(target).c_str()));
        return false;
    }
    PrintPainterCanvas canvas(printer, &painter, settings_.fontFace, settings_.fontSize);
    for (int page = from; page <= to; ++page) {
        if (page > from) printer.newPage();
        layout.PrintPage(canvas, page, pages, true);
    }
    painter.end();
    RestoreSelection();
    return true;
}

bool PrintController::PrintToPdf(const QString& path) {
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setFullPage(false);
    QPageLayout layout = ApplicationPrinter().pageLayout();
    layout.setMode(QPageLayout::StandardMode);
    pdf.setPageLayout(layout);
    return RenderJob(pdf);
}

void PrintController::Print() {
    if (!Prepare()) return;
    if (!IsPrinterInstalled()) {
        // Without a printer the pages go to a PDF file of the same layout.
        FileDialogRequest request;
        request.title = "Print to PDF File";
        const std::string title = doc_.GetTitle().substr(0, doc_.GetTitle().rfind('.'));
        request.initialPath = (title.empty() ? std::string("Clangbook Log") : title) + ".pdf";
        request.defaultExtension = "pdf";
        request.filter = "PDF Files (*.pdf)|*.pdf||";
        request.promptOverwrite = true;
        const std::optional<std::string> name = prompter_.AskSaveFileName(request);
        if (name) PrintToPdf(FromNativePath(*name));
        return;
    }
    QPrinter& printer = ApplicationPrinter();
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    QPrintDialog dialog(&printer, dialogParent_);
    dialog.setMinMax(1, maxPage_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted) return;
    RenderJob(printer);
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
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { RenderJob(*printer); });
    dialog.exec();
    RestoreSelection();
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
        settings_.columns = chosen.columns;
        StoreColumnsAndMulti(store_, settings_);
    }
    // Page Setup stored its margins at once: they stand after Cancel too.
    settings_.margins = dialog.Result().margins;
}

}  // namespace chimeset
