// Any bytes as CrossRef.txt: the table either refuses the file or holds, for every index a
// line names, the number of the last such line, and 0 elsewhere; a record of a translated
// tower carries that number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/Text.h"
#include "common/TextFile.h"
#include "converter/ConvertLogs.h"
#include "converter/CrossRefTable.h"
#include "converter/ExtraTowerList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    // Split as the converter reads the file: any line end ends a line.
    std::vector<std::string> lines =
        SplitTextLinesAnyLineEnd(std::string_view(reinterpret_cast<const char*>(data), size));

    CrossRefTable table;
    const CrossRefTable::Result result = table.Load(lines);
    if (result == CrossRefTable::Result::NotAFile) std::abort();  // the lines were read

    // The table the lines describe, or the reason to refuse them.
    bool refuse =
        lines.empty() || lines[0].compare(0, kCrossRefFirstLine.size(), kCrossRefFirstLine) != 0;
    std::map<std::int64_t, std::int64_t> named;
    for (std::size_t i = 1; i < lines.size() && !refuse; ++i) {
        const std::int64_t index = ReadLeadingNumber(GetRawField(lines[i], 0));
        const std::int64_t number = ReadLeadingNumber(GetRawField(lines[i], 1));
        if (index < 0 || index >= static_cast<std::int64_t>(kCrossRefSize) ||
            number > std::numeric_limits<std::int32_t>::max()) {
            refuse = true;
        } else {
            named[index] = number;
        }
    }
    if (refuse != (result == CrossRefTable::Result::WrongFormat)) std::abort();

    const ExtraTowerList noExtraTowers;
    for (std::int64_t index = 0; index < static_cast<std::int64_t>(kCrossRefSize); ++index) {
        const auto it = named.find(index);
        const std::int64_t want = refuse || it == named.end() ? 0 : it->second;
        if (table[index] != want) std::abort();
    }
    // A translated record carries the number as its IndexNo (field 8).
    for (const auto& [index, number] : named) {
        if (refuse) break;
        const std::string line = ConvertRecordLine(
            "Somewhere\\" + std::to_string(index) + "\\1\\0\\0\\", table, noExtraTowers, nullptr);
        if (GetField(line, 8) != std::to_string(number)) std::abort();
    }
    return 0;
}
