// Any bytes as a user's log: opening must answer with entries or a message, and saving what
// was read must read back the same entries.
#include <cstddef>
#include <cstdint>

#include "common/TextFile.h"
#include "fuzz/FuzzSupport.h"
#include "fuzz/LogChecks.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "visits/CChimesetDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    const std::string& folder = fuzz::ScratchFolder();
    static const bool databaseWritten = (fuzz::WriteSmallDatabase(folder), true);
    (void)databaseWritten;
    const std::string log = JoinPath(folder, "FUZZ.CBL");
    fuzz::WriteFile(log, data, size);

    testing::FakePrompter prompter;
    testing::MemorySettings settings;
    settings.WriteString("Users", "FUZZ", "Fuzz Tester");
    CChimesetDoc doc(folder, prompter, settings, [] { return LocalDate{2026, 12, 7}; });
    std::string user = "FUZZ";
    if (!doc.OpenLog(log, user) || doc.IsReadOnly()) return 0;
    for (const auto filter : {kFilterAllTowers, kFilterVisited, kFilterQuartered, kFilterPealed}) {
        doc.SetFilter(filter);
        for (std::int32_t p = 0; p < doc.GetListCount(); ++p) {
            doc.SelectListItem(p);
            doc.EntryComment();
        }
    }
    fuzz::CheckSaveAndReopen(doc, log, "FUZZ");
    return 0;
}
