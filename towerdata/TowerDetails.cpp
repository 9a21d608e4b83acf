#include "towerdata/TowerDetails.h"

#include "common/Text.h"

namespace chimeset {
namespace {

constexpr const char* kDayNames[] = {"MONDAY", "TUESDAY",  "WEDNESDAY", "THURSDAY",
                                     "FRIDAY", "SATURDAY", "SUNDAY"};
constexpr const char* kShortNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

}  // namespace

DetailAnswer ParseDetailAnswer(std::string_view field) {
    const std::string word = ToUpperAscii(Trim(field));
    if (word == "Y" || word == "YES") return DetailAnswer::kYes;
    if (word == "N" || word == "NO" || word == "U/R") return DetailAnswer::kNo;
    return DetailAnswer::kUnknown;
}

bool TowerDetails::IsEmpty() const {
    return ringable == DetailAnswer::kUnknown && groundFloor == DetailAnswer::kUnknown &&
           toilet == DetailAnswer::kUnknown && simulator == DetailAnswer::kUnknown &&
           practice.empty() && tenorNote.empty() && postcode.empty() && webPage.empty() &&
           remarks.empty();
}

bool ParseWeekday(std::string_view word, Weekday& day) {
    std::string upper = ToUpperAscii(word);
    if (upper.size() < 3) return false;
    for (int d = 0; d < 7; ++d) {
        const std::string_view name = kDayNames[d];
        // "Thurs", "Weds", "Mons", "Tuesdays": a longer short form or a plural of the day
        // ("Thus" is no plural of Thursday).
        const bool plural = upper.size() == 4 && upper.back() == 'S' && upper != "THUS" &&
                            StartsWith(name, std::string_view(upper).substr(0, 3));
        const bool named =
            StartsWith(name, upper) || plural ||
            (upper.size() == name.size() + 1 && upper.back() == 'S' && StartsWith(upper, name));
        if (named) {
            day = static_cast<Weekday>(d);
            return true;
        }
    }
    return false;
}

const char* WeekdayShortName(Weekday day) {
    const int d = static_cast<int>(day);
    return d >= 0 && d < 7 ? kShortNames[d] : "";
}

bool PracticeOnDay(std::string_view practice, Weekday day) {
    int depth = 0;
    std::size_t i = 0;
    while (i < practice.size()) {
        const char c = practice[i];
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            --depth;
        }
        if (!IsLetter(c)) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < practice.size() && IsLetter(practice[end])) ++end;
        Weekday named;
        if (depth == 0 && ParseWeekday(practice.substr(i, end - i), named) && named == day)
            return true;
        i = end;
    }
    return false;
}

std::string WebPageAddress(std::string_view webPage) {
    const std::string_view text = Trim(webPage);
    if (text.empty() || text.find_first_of(" \t\"<>") != std::string_view::npos) return {};
    const std::string lower = [&] {
        std::string s(text);
        for (char& c : s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        return s;
    }();
    if (StartsWith(lower, "http://") || StartsWith(lower, "https://"))
        return text.size() > lower.find("//") + 2 ? std::string(text) : std::string();
    // Another scheme ("mailto:", "javascript:") or none that reads as a host name.
    const std::size_t colon = lower.find(':');
    const std::size_t slash = lower.find('/');
    if (colon != std::string::npos && (slash == std::string::npos || colon < slash)) return {};
    const std::string_view host = std::string_view(lower).substr(0, slash);
    if (host.find('.') == std::string_view::npos || host.front() == '.' || host.back() == '.')
        return {};
    return "http://" + std::string(text);
}

std::string CutForShowing(std::string_view text, std::size_t maxCharacters) {
    if (text.size() <= maxCharacters) return std::string(text);
    constexpr std::string_view kEllipsis = "...";
    if (maxCharacters <= kEllipsis.size()) return std::string(text.substr(0, maxCharacters));
    std::size_t cut = maxCharacters - kEllipsis.size();
    // Back to a blank not far before the cut, so that no word is broken.
    const std::size_t blank = text.substr(0, cut + 1).find_last_of(' ');
    if (blank != std::string_view::npos && blank + 20 >= cut && blank > 0) cut = blank;
    return std::string(Trim(text.substr(0, cut))) + std::string(kEllipsis);
}

std::vector<DetailPart> DescribeDetails(const TowerDetails& details, std::size_t longestText) {
    std::vector<DetailPart> parts;
    const auto text = [&parts](std::string shown) {
        parts.push_back({DetailPart::kText, std::move(shown), {}});
    };
    if (details.IsUnringable()) parts.push_back({DetailPart::kUnringable, "Unringable", {}});
    if (!details.practice.empty()) text("Practice " + CutForShowing(details.practice, longestText));
    if (details.groundFloor == DetailAnswer::kYes) text("Ground floor");
    if (details.toilet == DetailAnswer::kYes) text("Toilet");
    if (details.simulator == DetailAnswer::kYes) text("Simulator");
    if (!details.tenorNote.empty())
        text("Tenor in " + CutForShowing(details.tenorNote, longestText));
    if (!details.postcode.empty()) text(CutForShowing(details.postcode, longestText));
    if (!details.webPage.empty()) {
        parts.push_back({DetailPart::kWebPage, CutForShowing(details.webPage, longestText),
                         WebPageAddress(details.webPage)});
    }
    if (!details.remarks.empty()) text(CutForShowing(details.remarks, longestText));
    return parts;
}

}  // namespace chimeset
