#include "visits/DateProposal.h"

namespace chimeset {

DateProposal ProposeDate(PackedDate current, PackedDate lastEntered) {
    PackedDate proposal = current;
    if (current == 0 && lastEntered > 0) {
        proposal = lastEntered;
        const DateParts last = SplitPackedDate(lastEntered);
        // The next tower of the same day; a lone tower (0) or the last possible number stays.
        if (last.month != 0 && last.sequence >= 1 && last.sequence <= kMaxSequence - 1)
            proposal = lastEntered + 1;
    }

    DateProposal result;
    if (proposal <= 0) return result;
    const DateParts parts = SplitPackedDate(proposal);
    result.sequence = parts.sequence;
    if (parts.year >= 1) {
        result.year = parts.year;
        if (parts.month == 0) {
            result.option = kRecordYearOnly;
            result.month = 1;
            result.day = 1;
        } else {
            result.month = parts.month;
            result.day = parts.day;
        }
    } else {
        result.option = kRecordUnknownDate;
    }
    return result;
}

PackedDate DateFromChoice(DateOption option, int year, int month, int day, int sequence) {
    switch (option) {
        case kRecordFullDate:
            return MakePackedDate(day, month, year, sequence);
        case kRecordYearOnly:
            return MakeYearOnlyDate(year);
        case kRecordUnknownDate:
            return kUnknownDate;
        case kRemoveDate:
            break;
    }
    return kNoDate;
}

}  // namespace chimeset
