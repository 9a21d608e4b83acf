#include "output/TowerSearch.h"

#include <array>

#include "towerdata/TowerDatabase.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {
namespace {

std::array<char, 256> MakeLowerTable() {
    std::array<char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        int lower = b;
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) lower = b + 0x20;
        if (b == 0x8A || b == 0x8C || b == 0x8E) lower = b + 0x10;  // S, OE, Z with caron
        if (b == 0x9F) lower = 0xFF;                                // Y with diaeresis
        table[static_cast<std::size_t>(b)] = static_cast<char>(lower);
    }
    return table;
}

const std::array<char, 256>& LowerTable() {
    static const std::array<char, 256> table = MakeLowerTable();
    return table;
}

}  // namespace

std::string ToLower1252(std::string_view text) {
    const auto& table = LowerTable();
    std::string lower(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        lower[i] = table[static_cast<unsigned char>(text[i])];
    return lower;
}

std::int32_t TowerSearch::FindNext(const CChimesetDoc& doc) {
    const std::int32_t n = doc.GetListCount();
    const std::string pattern = ToLower1252(searchText_);
    const TowerDatabase& database = doc.Database();
    // Only the location decides a match: it is read straight from the list's tower, without
    // looking up each tower's log entry.
    for (std::int32_t i = findStart_; i < n; ++i) {
        const std::int32_t tower = doc.ListItemTower(i);
        if (tower < 0) continue;
        if (ToLower1252(database.GetTowerField(tower, kLocn)).find(pattern) == std::string::npos)
            continue;
        findStart_ = i + 1;
        return i;
    }
    findStart_ = 0;
    return -1;
}

}  // namespace chimeset
