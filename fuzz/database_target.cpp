// Any bytes as DoveData.CB0: the loader must answer with towers or a message, never crash.
#include <cstddef>
#include <cstdint>

#include "common/TextFile.h"
#include "fuzz/FuzzSupport.h"
#include "tests/support/FakePrompter.h"
#include "towerdata/TowerDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    const std::string& folder = fuzz::ScratchFolder();
    fuzz::WriteFile(JoinPath(folder, kDatabaseFileName), data, size);
    testing::FakePrompter prompter;
    TowerDatabase db;
    if (db.Load(folder, prompter)) {
        for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
            db.FormatTowerName(t);
            db.GetMapPoint(t);
            db.FindByIndexNo(db.GetIndexNo(t));
        }
    }
    return 0;
}
