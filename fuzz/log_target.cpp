// Any bytes as a user's log: opening must answer with entries or a message, and saving what
// was read must read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "common/FileFormats.h"
#include "common/TextFile.h"
#include "fuzz/FuzzSupport.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "visits/CChimesetDoc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    const std::string& folder = fuzz::ScratchFolder();
    static const bool databaseWritten = [&] {
        const std::string text = std::string(kTowerFieldNames) +
                                 "\r\n"
                                 "Aston\\St Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\2000\\1\r\n"
                                 "Bray\\St Michael\\Berks\\SU912795\\51.5\\-0.7\\8\\1500\\2\r\n";
        fuzz::WriteFile(JoinPath(folder, kDatabaseFileName),
                        reinterpret_cast<const unsigned char*>(text.data()), text.size());
        return true;
    }();
    (void)databaseWritten;
    const std::string log = JoinPath(folder, "FUZZ.CBL");
    fuzz::WriteFile(log, data, size);

    testing::FakePrompter prompter;
    testing::MemorySettings settings;
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
    std::int32_t saved = 0;
    for (std::int32_t e = 0; e < doc.EntryCount(); ++e) saved += doc.VisitDateOf(e) != 0;
    if (!doc.OnSaveDocument(log)) return 0;
    user = "FUZZ";
    if (!doc.OpenLog(log, user) || doc.EntryCount() != saved) std::abort();
    return 0;
}
