#include "output/qt/ClipboardExportCommand.h"

#include <QClipboard>
#include <QGuiApplication>

#include "common/MessageTable.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "common/qt/Codec.h"
#include "output/ClipboardExport.h"

namespace chimeset {
std::int32_t CopyListToClipboard(const CChimesetDoc& doc, const ColumnWidths& widths,
                                 Prompter& prompter) {
    std::int32_t count = 0;
    const std::string text = BuildClipboardText(doc, widths, &count);
    // Qt offers the text in every form the platform's clipboard knows, the ANSI one included.
    QGuiApplication::clipboard()->setText(FromWindows1252(text), QClipboard::Clipboard);
    Notice notice = MessageTable::Chimeset().Make(msg::kRecordsWritten);
    notice.text = Format(notice.text.c_str(), count);
    prompter.Show(notice);
    return count;
}

}  // namespace chimeset
