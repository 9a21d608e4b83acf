// Any profile texts as the print settings: reading them gives lengths in range (defaults for
// what is missing or unreadable), and what is read survives being kept and read again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "output/PrintSettings.h"
#include "tests/support/MemorySettings.h"

namespace {

using namespace chimeset;

bool InRange(std::int32_t length) {
    return length >= 0 && length <= kLargestLength;
}

bool SameAsRead(const PrintSettings& a, const PrintSettings& b) {
    return a.margins == b.margins && a.multiline == b.multiline && a.columns == b.columns;
}

}  // namespace

// The first byte says which entries the profile holds (bit n for entry n); the rest are
// their texts, one per line, in the order of the entries.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const char* const kEntries[] = {"MarginT", "MarginB", "MarginL",
                                           "MarginR", "Multi",   "Columns"};
    if (size == 0) return 0;
    const unsigned present = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    testing::MemorySettings profile;
    for (int e = 0; e < 6; ++e) {
        const std::size_t end = rest.find('\n');
        const std::string_view text = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (present & (1u << e)) profile.WriteString(kPrintSection, kEntries[e], std::string(text));
    }

    PrintSettings read;
    LoadPrintSettings(profile, read);
    const PageMargins& m = read.margins;
    for (const std::int32_t length : {m.left, m.top, m.right, m.bottom}) {
        if (!InRange(length)) std::abort();
        FormatInches(length);
        const std::int32_t rounded = RoundDownMargin(length);
        if (rounded > length || length - rounded >= 100) std::abort();
    }
    for (int c = 0; c < kPrintColumnCount; ++c) {
        if (!InRange(read.columns[static_cast<std::size_t>(c)])) std::abort();
        FormatInches(read.columns[static_cast<std::size_t>(c)]);
        PrintColumnTitle(c);
    }
    if (!(present & 1u << 5) && read.columns != PrintSettings().columns) std::abort();
    if (!(present & 1u << 4) && read.multiline) std::abort();
    const std::int32_t* byEntry[] = {&m.top, &m.bottom, &m.left, &m.right};
    for (int e = 0; e < 4; ++e) {
        if (!(present & 1u << e) && *byEntry[e] != kDefaultMargin) std::abort();
    }
    if (ParseColumnWidths(FormatColumnWidths(read.columns)) != read.columns) std::abort();

    // Kept in a fresh profile and in the one it came from, it reads back the same.
    testing::MemorySettings fresh;
    for (SettingsStore* store :
         {static_cast<SettingsStore*>(&fresh), static_cast<SettingsStore*>(&profile)}) {
        StoreColumnsAndMulti(*store, read);
        StoreMargins(*store, read.margins);
        PrintSettings again;
        LoadPrintSettings(*store, again);
        if (!SameAsRead(read, again)) std::abort();
    }
    return 0;
}
