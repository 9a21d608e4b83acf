// The Set Date dialog's rules: what it proposes for a field, and the date its choice gives.
#pragma once

#include "visits/PackedDate.h"

namespace chimeset {

// The four choices of the dialog, in the order of its option buttons.
enum DateOption : int {
    kRecordFullDate = 0,
    kRecordYearOnly = 1,
    kRecordUnknownDate = 2,
    kRemoveDate = 3,
};

inline constexpr int kMaxSequence = 31;

struct DateProposal {
    DateOption option = kRecordFullDate;
    int sequence = 0;
    // The date the picker shows; year 0 leaves the picker on today's date.
    int year = 0;
    int month = 0;
    int day = 0;
    bool KeepsToday() const { return year == 0; }
};

// The starting state for a field holding `current`, given the date most recently entered
// (0 when none since the last full update). An empty field right after a same-day entry
// proposes that day again with the next sequence number.
DateProposal ProposeDate(PackedDate current, PackedDate lastEntered);

// The date that the dialog's choice stands for. Year, month and day come from the picker.
PackedDate DateFromChoice(DateOption option, int year, int month, int day, int sequence);

}  // namespace chimeset
