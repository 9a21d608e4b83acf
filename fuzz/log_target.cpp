// Any bytes as a user's log: parsing must answer with entries or a message, and saving what
// was read must read back the same entries.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/LogChecks.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "visits/CChimesetDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    static const TowerDatabase database = [] {
        TowerDatabase db;
        db.Parse({std::string(kTowerFieldNames),
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
    fuzz::CheckSaveAndReopen(doc, JoinPath(fuzz::ScratchFolder(), "FUZZ.CBL"), "FUZZ");
    return 0;
}
