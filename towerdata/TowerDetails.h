// What a ringer checks before going to a tower: whether its bells can be rung, its practice
// night, the ground floor, a toilet, a simulator, the tenor's note, its postcode, web page and
// remarks. Every detail is optional: a database without the column, or a tower that leaves the
// field empty, says nothing, which is not the same as "no".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chimeset {

enum class DetailAnswer : std::uint8_t { kUnknown, kYes, kNo };

// A yes/no field of the database: "Y", "Yes", "N", "No" in any case (and "u/r", the guide's
// mark of an unringable ring, as no); anything else, the empty field included, is unknown.
DetailAnswer ParseDetailAnswer(std::string_view field);

struct TowerDetails {
    DetailAnswer ringable = DetailAnswer::kUnknown;
    DetailAnswer groundFloor = DetailAnswer::kUnknown;
    DetailAnswer toilet = DetailAnswer::kUnknown;
    DetailAnswer simulator = DetailAnswer::kUnknown;
    // Texts as stored (Windows-1252, trimmed); empty when not known. Held in full, however
    // long: only what shows them cuts them.
    std::string practice;
    std::string tenorNote;
    std::string postcode;
    std::string webPage;
    std::string remarks;

    // Known to be unringable; a tower nothing is known of is not.
    bool IsUnringable() const { return ringable == DetailAnswer::kNo; }
    // Nothing at all is known.
    bool IsEmpty() const;
};

// Days of the week, Monday first, as the guide writes practice nights.
enum class Weekday : int { kMonday, kTuesday, kWednesday, kThursday, kFriday, kSaturday, kSunday };

// "Tue", "tues", "Tuesday", "Tuesdays": a day as a word that names it, at least its first three
// letters; false for anything else.
bool ParseWeekday(std::string_view word, Weekday& day);
// The three-letter name the guide uses: "Tue".
const char* WeekdayShortName(Weekday day);

// Whether a practice night text names the day: "Tue (2nd & 4th)", "Tuesday",
// "Mon 19:30 & Tue 20:00" practise on Tuesday. Words in brackets qualify a day and are not
// days of their own ("Thu (alt with Tue at Ashby)" is a Thursday practice); "PN: by
// arrangement" names no day.
bool PracticeOnDay(std::string_view practice, Weekday day);

// The address to open for a web page field: as it stands when it names the http or https
// scheme; "http://" before it when it has no scheme but reads as a host name
// ("www.example.org/bells"); empty when it is not a web address (another scheme, blanks,
// no dot).
std::string WebPageAddress(std::string_view webPage);

// Text cut for a place with room for at most maxCharacters (Windows-1252, one byte each):
// longer text is cut at a word break where one is near and ends in "...".
std::string CutForShowing(std::string_view text, std::size_t maxCharacters);

// One piece of the details line of a tower, in the order shown.
struct DetailPart {
    enum Kind { kUnringable, kText, kWebPage };
    Kind kind;
    std::string text;     // as shown (Windows-1252), cut where it is long
    std::string address;  // kWebPage only: what opening it opens; empty when not openable
};

// The longest practice night or remark the details line shows.
inline constexpr std::size_t kLongestDetailShown = 120;

// The details as a ringer reads them: "Unringable" first, then practice night, ground floor,
// toilet, simulator, tenor note, postcode, the web page and the remarks; unknown details are
// left out. Empty when nothing is known.
std::vector<DetailPart> DescribeDetails(const TowerDetails& details,
                                        std::size_t longestText = kLongestDetailShown);

}  // namespace chimeset
