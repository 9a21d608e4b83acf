// The view's printing: its print settings, the application's printer, Print, Print
// Preview, Set Print Contents and the headless print of the command line.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/qt/HelpKey.h"
#include "output/PrintLayout.h"
#include "output/PrintSettings.h"

class QPageLayout;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace chimeset {

class CChimesetDoc;
enum ListFilter : std::int32_t;
enum ListOrder : std::int32_t;
class Prompter;
class SettingsStore;

// What printing needs of the view it prints from.
struct PrintHost {
    // Show this filter and order as though the user had picked them (buttons and list
    // follow). Without it the document's list is switched directly.
    std::function<void(ListFilter filter, ListOrder order)> showList;
    ShowHelp showHelp;
};

class PrintController : public QObject {
    Q_OBJECT

  public:
    PrintController(CChimesetDoc& doc, Prompter& prompter, SettingsStore& store, PrintHost host,
                    QWidget* dialogParent = nullptr);
    ~PrintController() override;

    PrintSettings& Settings() { return settings_; }
    const PrintSettings& Settings() const { return settings_; }
    // At each initial update of the view.
    void LoadSettings();
    void SetPageHeader(const std::string& header) { settings_.pageHeader = header; }

    // The commands.
    void Print();
    void PrintPreview();
    void SetPrintContents();

    // Prepare of every job: the read-only switch to My Visits and the counting pass
    // against the application's printer. False, after a message, when no page can hold a
    // record.
    bool Prepare();
    // The pages of the printer's range (all when it has none) on the printer, or into its
    // PDF file when it prints to one. False, after a message, when the job could not run
    // or did not finish.
    bool RenderJob(QPrinter& printer);
    // Every page into a PDF file laid out like the application's printer's paper. A file
    // that could not be written in full is removed again.
    bool PrintToPdf(const QString& path);
    // Where the file dialog of Print to PDF starts: the users' data folder, else the
    // documents folder, else nothing (the dialog's own choice).
    std::string PdfFolder() const;

    // The printer that the counting pass, Remaining Space and Page Setup use: the default
    // printer, or an A4 PDF printer when none is installed.
    QPrinter& ApplicationPrinter();
    static bool IsPrinterInstalled();
    int MaxPage() const { return maxPage_; }
    const PageStartTable& CountedPageStarts() const { return countedStarts_; }

    // The message of the last failure, for callers without a window.
    const std::string& LastError() const { return lastError_; }

  private:
    enum class RenderResult { Done, Reported, NotStarted, NotFinished };
    // Counts the pages on the device, then draws fromPage to toPage (0: the first, the
    // last). beforePainting runs between the two and may stop the job after its own
    // message.
    RenderResult RenderPages(QPagedPaintDevice& device, int fromPage, int toPage,
                             const std::function<bool()>& beforePainting);
    // The pages of the printer's range drawn on the printer itself.
    bool PaintOnPrinter(QPrinter& printer);
    bool WritePdf(const QString& path, const QPageLayout& pageLayout, int resolution, int fromPage,
                  int toPage);
    void Fail(const std::string& text);
    void Inform(const std::string& text);

    CChimesetDoc& doc_;
    Prompter& prompter_;
    SettingsStore& store_;
    PrintHost host_;
    QWidget* dialogParent_;
    PrintSettings settings_;
    std::unique_ptr<QPrinter> printer_;
    PageStartTable countedStarts_{0};
    int maxPage_ = 1;
    std::string lastError_;
};

// The printable width of a printer in thousandths of an inch.
std::int32_t PrintableWidth(QPrinter& printer);
// Page margins of the printer set to the least it allows: the printable area is its own.
void UseWholePrintableArea(QPrinter& printer);

}  // namespace chimeset
