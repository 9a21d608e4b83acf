// Any bytes as a Dove's Guide CSV download: the importer makes a database or says why not,
// and every tower it writes is a tower of the database the programs load, field for field,
// its details included.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileFormats.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "dove/CsvReader.h"
#include "dove/DoveImport.h"
#include "towerdata/TowerDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    const std::string_view csv(reinterpret_cast<const char*>(data), size);

    // The reader alone: records come in line order and an error names a line of the text.
    CsvReader reader;
    std::size_t lastLine = 0;
    const bool read = reader.Read(csv, [&](std::size_t line, std::vector<std::string>&) {
        if (line < lastLine || line == 0) std::abort();
        lastLine = line;
        return true;
    });
    if (!read && (reader.ErrorMessage().empty() || reader.ErrorLine() == 0)) std::abort();

    std::vector<std::string> lines;
    DoveImportSummary summary;
    DoveImportError error;
    if (!ConvertDoveCsv(csv, DoveImportOptions{size % 2 == 1}, lines, summary, error)) {
        if (error.message.empty() || !lines.empty()) std::abort();
        return 0;
    }
    if (summary.towersWritten + summary.SkippedCount() != summary.rowsRead) std::abort();
    if (lines.size() != summary.towersWritten + 2 || lines[0] != DoveDatabaseHeader() ||
        lines[1] != kDoveCreditLine)
        std::abort();
    DescribeSummary(summary, "DoveData.CB0");

    TowerDatabase db;
    if (!db.Parse(lines).ok) std::abort();
    if (static_cast<std::size_t>(db.GetDatabaseCount()) != summary.towersWritten) std::abort();
    for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
        const std::string& line = lines[static_cast<std::size_t>(t) + 2];
        for (int f = kLocn; f <= kIndexNo; ++f) {
            if (db.GetTowerField(t, f) != GetField(line, static_cast<std::size_t>(f))) std::abort();
        }
        if (db.GetIndexNo(t) != ParseNumber(GetField(line, kIndexNo))) std::abort();
        for (int d = 0; d < kTowerDetailCount; ++d) {
            const auto field = static_cast<TowerDetailField>(d);
            if (db.GetDetailField(t, field) != GetField(line, kTowerFieldCount + d)) std::abort();
        }
    }
    return 0;
}
