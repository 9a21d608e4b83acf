// The table compiled into CB2TB: TowerBase numbers by Version 1 index, with the count
// stored directly behind the entries.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr int kVersion1IndexCount = 6106;

struct TowerBaseTable {
    std::uint16_t entries[kVersion1IndexCount];
    std::int32_t count;
};

static_assert(offsetof(TowerBaseTable, count) == sizeof(std::uint16_t) * kVersion1IndexCount,
              "the count must follow the entries without padding");

// Generated at build time from CrossRef.txt.
extern const TowerBaseTable kTowerBaseTable;
