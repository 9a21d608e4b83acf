// Any bytes as Chimeset.CB1: every entry after the magic line can be found by its index,
// the first of equal indexes wins, and a record of an extra tower carries that entry's
// details in the Version 2 fields.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/Text.h"
#include "common/TextFile.h"
#include "converter/ConvertLogs.h"
#include "converter/CrossRefTable.h"
#include "converter/ExtraTowerList.h"
#include "converter/Version1Log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    // Split as the converter reads the file: any line end ends a line.
    std::vector<std::string> lines =
        SplitTextLinesAnyLineEnd(std::string_view(reinterpret_cast<const char*>(data), size));
    if (lines.empty() || !HasVersion1MagicLine(lines[0])) return 0;
    lines.erase(lines.begin());
    const std::vector<std::string> entries = lines;

    ExtraTowerList list;
    list.Assign(std::move(lines));
    if (list.Size() != entries.size()) std::abort();

    std::map<std::int64_t, std::size_t> firstOf;
    for (std::size_t i = 0; i < entries.size(); ++i)
        firstOf.emplace(ReadLeadingNumber(GetField(entries[i], 6)), i);

    const CrossRefTable emptyTable;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        const std::int64_t index = ReadLeadingNumber(GetField(entry, 6));
        const std::string* found = list.Find(index);
        if (index >= kLeadingNumberTooLarge) {
            if (found) std::abort();  // no number that long names a tower
            continue;
        }
        if (!found) std::abort();
        const std::size_t first = firstOf.at(index);
        if (*found != entries[first]) std::abort();
        if (first != i || CrossRefTable::Contains(index)) continue;

        // Outside the translation table the record takes the entry's details.
        bool missing = true;
        const std::string record = ConvertRecordLine(
            "Elsewhere\\" + std::to_string(index) + "\\1\\2\\3\\", emptyTable, list, &missing);
        if (missing) std::abort();
        const int fromEntry[] = {0, 1, 2, 3, -1, -1, 4, 5};
        for (int f = 0; f < 8; ++f) {
            const std::string want = fromEntry[f] < 0 ? "0" : GetField(entry, fromEntry[f]);
            if (GetField(record, static_cast<std::size_t>(f)) != want) std::abort();
        }
        if (GetField(record, 8) != "0" || GetField(record, 9) != "1" || GetField(record, 12) != "")
            std::abort();
    }
    return 0;
}
