// What a user's log must keep through a save and a reopen, for the targets that open logs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "visits/CChimesetDoc.h"

namespace chimeset::fuzz {

// One entry as the user sees it. The quarter and peal dates and the comment can only be
// read through the selection, so they are known only for entries the visited list shows.
struct EntryView {
    PackedDate visit = 0;
    std::int32_t identity = 0;
    bool detailsKnown = false;
    PackedDate quarter = 0;
    PackedDate peal = 0;
    std::string comment;
};

// Writes a DoveData.CB0 of two towers, IndexNo 1 and 2, into the folder.
void WriteSmallDatabase(const std::string& folder);

// Every entry of the open log, in entry order.
std::vector<EntryView> ViewEntries(CChimesetDoc& doc);

// Aborts unless both hold the same entries: same number, and each with the same visit
// date and identity and, where both know them, the same other dates and comment.
void CheckSameEntries(const std::vector<EntryView>& expected, const std::vector<EntryView>& got);

// Saves the open log at its path and opens it again as the user's: every entry with a visit
// date must come back unchanged (the location may come back tidied, so it is not compared).
void CheckSaveAndReopen(CChimesetDoc& doc, const std::string& path, const std::string& user);

}  // namespace chimeset::fuzz
