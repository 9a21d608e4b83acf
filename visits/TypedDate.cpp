#include "visits/TypedDate.h"

#include <cctype>
#include <vector>

namespace chimeset {
namespace {

constexpr int kMaxYear = 4095;

const char* const kMonthNames[] = {"january",   "february", "march",    "april",
                                   "may",       "june",     "july",     "august",
                                   "september", "october",  "november", "december"};
const char* const kDayNames[] = {"monday", "tuesday",  "wednesday", "thursday",
                                 "friday", "saturday", "sunday"};

const char* const kNotADate =
    "This is not read as a date. Type it as 12/05/2004, 12 May 2004 or 2004-05-12.";

struct Token {
    std::string text;  // digits, or lower-case letters
    bool number = false;
};

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The index of the name that the word begins (three letters at least), or -1.
template <std::size_t N>
int FindName(const std::string& word, const char* const (&names)[N]) {
    if (word.size() < 3) return -1;
    for (std::size_t i = 0; i < N; ++i) {
        if (std::string_view(names[i]).substr(0, word.size()) == word) return static_cast<int>(i);
    }
    return -1;
}

bool Split(std::string_view text, std::vector<Token>& tokens) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == ' ' || c == '/' || c == '-' || c == '.' || c == ',') {
            ++i;
        } else if (IsDigit(c)) {
            Token token;
            token.number = true;
            while (i < text.size() && IsDigit(text[i])) token.text += text[i++];
            // An ordinal ending: 1st, 2nd, 3rd, 12th.
            if (i + 1 < text.size() && IsLetter(text[i]) && IsLetter(text[i + 1]) &&
                (i + 2 == text.size() || !IsLetter(text[i + 2]))) {
                std::string ending{static_cast<char>(std::tolower(text[i])),
                                   static_cast<char>(std::tolower(text[i + 1]))};
                if (ending != "st" && ending != "nd" && ending != "rd" && ending != "th")
                    return false;
                i += 2;
            }
            tokens.push_back(token);
        } else if (IsLetter(c)) {
            Token token;
            while (i < text.size() && IsLetter(text[i]))
                token.text +=
                    static_cast<char>(std::tolower(static_cast<unsigned char>(text[i++])));
            tokens.push_back(token);
        } else {
            return false;
        }
    }
    return true;
}

int NumberOf(const std::string& digits) {
    int value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::string MonthTitle(int month) {
    std::string name = kMonthNames[month - 1];
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

TypedDate Refuse(std::string problem) {
    TypedDate date;
    date.problem = std::move(problem);
    return date;
}

}  // namespace

TypedDate ReadTypedDate(std::string_view text) {
    std::vector<Token> tokens;
    if (!Split(text, tokens)) return Refuse(kNotADate);
    // A day name says nothing the date does not.
    if (!tokens.empty() && !tokens.front().number && FindName(tokens.front().text, kDayNames) >= 0)
        tokens.erase(tokens.begin());
    if (tokens.size() != 3) return Refuse(kNotADate);

    // Day, month and year as written, before their ranges are checked.
    const Token* dayToken = nullptr;
    const Token* yearToken = nullptr;
    int month = 0;
    const int named = !tokens[0].number ? 0 : !tokens[1].number ? 1 : !tokens[2].number ? 2 : -1;
    if (named >= 0) {
        month = FindName(tokens[named].text, kMonthNames) + 1;
        if (month == 0) return Refuse(kNotADate);
        // The other two are the day and the year, whichever order: the year is the long one.
        const Token* numbers[2];
        int count = 0;
        for (int i = 0; i < 3; ++i) {
            if (i == named) continue;
            if (!tokens[i].number) return Refuse(kNotADate);
            numbers[count++] = &tokens[i];
        }
        const bool firstIsYear = numbers[0]->text.size() > 2;
        dayToken = firstIsYear ? numbers[1] : numbers[0];
        yearToken = firstIsYear ? numbers[0] : numbers[1];
    } else {
        const Token* monthToken;
        if (tokens[0].text.size() > 2) {  // 2004-05-12
            yearToken = &tokens[0];
            monthToken = &tokens[1];
            dayToken = &tokens[2];
        } else {  // 12/05/2004
            dayToken = &tokens[0];
            monthToken = &tokens[1];
            yearToken = &tokens[2];
        }
        if (monthToken->text.size() > 2) return Refuse(kNotADate);
        month = NumberOf(monthToken->text);
    }
    if (dayToken->text.size() > 2) return Refuse(kNotADate);
    if (yearToken->text.size() <= 2) return Refuse("Type the year in full, as in 12/05/2004.");
    if (yearToken->text.size() > 4) return Refuse(kNotADate);

    TypedDate date;
    date.year = NumberOf(yearToken->text);
    date.month = month;
    date.day = NumberOf(dayToken->text);
    if (date.year < 1 || date.year > kMaxYear)
        return Refuse("The year must be from 1 to " + std::to_string(kMaxYear) + ".");
    if (date.month < 1 || date.month > 12)
        return Refuse("There is no month " + std::to_string(date.month) + ".");
    const int days = DaysInMonth(date.year, date.month);
    if (date.day < 1 || date.day > days) {
        return Refuse("There is no day " + std::to_string(date.day) + " in " +
                      MonthTitle(date.month) + " " + std::to_string(date.year) + ": it has " +
                      std::to_string(days) + " days.");
    }
    return date;
}

}  // namespace chimeset
