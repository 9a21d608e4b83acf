// Any bytes as a user's log: parsing must answer with entries or a message, and what a save
// would write must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/TextFile.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "visits/CChimesetDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    static const TowerDatabase database = [] {
        TowerDatabase db;
        db.Parse({"Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo",
                  "Aston\\St Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\2000\\1",
                  "Bray\\St Michael\\Berks\\SU912795\\51.5\\-0.7\\8\\1500\\2"});
        return db;
    }();

    testing::FakePrompter prompter;
    testing::MemorySettings settings;
    CChimesetDoc doc(database, prompter, settings, [] { return LocalDate{2026, 12, 7}; });
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!doc.ParseLog(SplitTextLines(text), "Fuzz", false).ok || doc.IsReadOnly()) return 0;
    for (const auto filter : {kFilterAllTowers, kFilterVisited, kFilterQuartered, kFilterPealed}) {
        doc.SetFilter(filter);
        for (std::int32_t p = 0; p < doc.GetListCount(); ++p) {
            doc.SelectListItem(p);
            doc.EntryComment();
        }
    }
    std::int32_t saved = 0;
    for (std::int32_t e = 0; e < doc.EntryCount(); ++e) saved += doc.VisitDateOf(e) != 0;
    // The file a save writes: each line ended by CR LF.
    std::string written;
    for (const std::string& line : doc.LogLines()) written += line + "\r\n";
    if (!doc.ParseLog(SplitTextLines(written), "Fuzz", false).ok || doc.EntryCount() != saved)
        std::abort();
    return 0;
}
