#include "output/PrintSettings.h"

#include <cerrno>
#include <cstdlib>

#include "common/MessageTable.h"
#include "common/Text.h"
#include "visits/ListRow.h"
#include "visits/PackedDate.h"

namespace chimeset {
namespace {

const char* const kMarginEntries[] = {"MarginT", "MarginB", "MarginL", "MarginR"};

// strtol with base 0, as the profile's numbers were always read; nullopt-like -1 when
// the text does not start with a number or the number is out of range.
std::int32_t ReadLength(std::string_view piece) {
    const std::string text(Trim(piece));
    if (text.empty()) return -1;
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (end == text.c_str() || errno == ERANGE || value < 0 || value > kLargestLength) return -1;
    return static_cast<std::int32_t>(value);
}

std::int32_t ReadMargin(const SettingsStore& store, const char* entry) {
    if (!store.HasEntry(kPrintSection, entry)) return kDefaultMargin;
    const std::int32_t value = ReadLength(store.GetString(kPrintSection, entry));
    return value < 0 ? kDefaultMargin : value;
}

}  // namespace

PrintSettings::PrintSettings() : columns(ParseColumnWidths(kDefaultColumns)) {}

ColumnWidths ParseColumnWidths(std::string_view text) {
    ColumnWidths widths{};
    std::size_t start = 0;
    for (int i = 0; i < kPrintColumnCount && start <= text.size(); ++i) {
        const std::size_t comma = text.find(',', start);
        const std::string_view piece = text.substr(
            start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
        const std::int32_t value = ReadLength(piece);
        widths[static_cast<std::size_t>(i)] = value < 0 ? 0 : value;
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return widths;
}

std::string FormatColumnWidths(const ColumnWidths& widths) {
    std::string text;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (i != 0) text += ',';
        text += std::to_string(widths[i]);
    }
    return text;
}

void LoadPrintSettings(const SettingsStore& store, PrintSettings& settings) {
    settings.margins.top = ReadMargin(store, kMarginEntries[0]);
    settings.margins.bottom = ReadMargin(store, kMarginEntries[1]);
    settings.margins.left = ReadMargin(store, kMarginEntries[2]);
    settings.margins.right = ReadMargin(store, kMarginEntries[3]);
    settings.fontFace = "Arial";
    settings.fontSize = 80;
    settings.multiline = ReadLength(store.GetString(kPrintSection, "Multi", "0")) > 0;
    settings.columns =
        ParseColumnWidths(store.GetString(kPrintSection, "Columns", kDefaultColumns));
}

bool StoreColumnsAndMulti(SettingsStore& store, const PrintSettings& settings) {
    const bool columns =
        store.WriteString(kPrintSection, "Columns", FormatColumnWidths(settings.columns));
    const bool multi = store.WriteString(kPrintSection, "Multi", settings.multiline ? "1" : "0");
    return columns && multi;
}

bool StoreMargins(SettingsStore& store, const PageMargins& margins) {
    bool stored = true;
    const std::int32_t values[] = {margins.top, margins.bottom, margins.left, margins.right};
    for (std::size_t i = 0; i < 4; ++i)
        stored = store.WriteString(kPrintSection, kMarginEntries[i], std::to_string(values[i])) &&
                 stored;
    return stored;
}

std::int32_t RoundDownMargin(std::int32_t thousandths) {
    if (thousandths < 0) return 0;
    return thousandths / 100 * 100;
}

std::string FormatInches(std::int32_t thousandths) {
    const std::string& format = MessageTable::Chimeset().Text(msg::kInchFormat);
    return Format(format.c_str(), (thousandths / 100) / 10.0);
}

std::string PrintColumnTitle(int column) {
    const std::vector<std::string> titles =
        SplitFields(MessageTable::Chimeset().Text(msg::kColumnTitles), '\t');
    if (column < 0 || static_cast<std::size_t>(column) >= titles.size()) return {};
    return titles[static_cast<std::size_t>(column)];
}

std::string PrintCellText(const ListRow& row, int column) {
    switch (column) {
        case kColumnLocation:
            return row.Location();
        case kColumnDedication:
            return row.Dedication();
        case kColumnCounty:
            return row.County();
        case kColumnWeight:
            return row.Weight();
        case kColumnBells:
            return row.Bells();
        case kColumnOSRef:
            return row.OSRef();
        case kColumnTowerId:
            return Format("%i", row.IndexNo());
        case kColumnVisitDate:
            return FormatPackedDate(row.VisitDate());
        case kColumnQuartered:
            return FormatPackedDate(row.QuarterDate());
        case kColumnPealed:
            return FormatPackedDate(row.PealDate());
        case kColumnComment: {
            std::string comment = row.Comment();
            const std::size_t end = comment.find_first_of("\r\n");
            if (end != std::string::npos) comment.erase(end);
            return comment;
        }
        default:
            return {};
    }
}

}  // namespace chimeset
