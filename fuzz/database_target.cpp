// Any bytes as DoveData.CB0: the parser must answer with towers or a message, never crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/TextFile.h"
#include "towerdata/TowerDatabase.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace chimeset;
    TowerDatabase db;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (db.Parse(SplitTextLines(text)).ok) {
        for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
            db.FormatTowerName(t);
            db.GetMapPoint(t);
            db.FindByIndexNo(db.GetIndexNo(t));
            const TowerDetails details = db.DetailsOf(t);
            DescribeDetails(details);
            PracticeOnDay(details.practice, Weekday::kTuesday);
        }
    }
    return 0;
}
