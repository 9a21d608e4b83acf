// Reading a whole date that the user typed, as British users write one: day, month, year
// ("12/05/2004", "12.5.2004", "12 May 2004", "12th May 2004"), or the ISO form
// ("2004-05-12").
#pragma once

#include <string>
#include <string_view>

namespace chimeset {

struct TypedDate {
    int year = 0;
    int month = 0;
    int day = 0;
    // Why the text is not read as a date; empty when it is.
    std::string problem;

    bool IsRead() const { return problem.empty(); }
};

// Month names and their first three letters or more ("Sept"), in any case; a day name
// may stand before the date. The year must be written in full, from 1 to 4095, and the
// date must exist (no 31/02/2004).
TypedDate ReadTypedDate(std::string_view text);

}  // namespace chimeset
