#include "common/ConflictCopyName.h"

#include <cctype>
#include <string>

namespace chimeset {
namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// "NAME (3)": the copy a service makes beside a file of the same name.
bool EndsWithNumberInParentheses(std::string_view base) {
    if (base.size() < 4 || base.back() != ')') return false;
    std::size_t i = base.size() - 1;
    const std::size_t digitsEnd = i;
    while (i > 0 && IsDigit(base[i - 1])) --i;
    if (i == digitsEnd || i < 2 || base[i - 1] != '(' || base[i - 2] != ' ') return false;
    return true;
}

// "NAME-COMPUTER": the computer's name added after a hyphen to a name that could be a log's.
bool HasComputerNameSuffix(std::string_view base) {
    const std::size_t hyphen = base.find('-');
    if (hyphen == 0 || hyphen == std::string_view::npos || hyphen + 1 == base.size()) return false;
    for (std::size_t i = 0; i < hyphen; ++i) {
        if (!IsNameCharacter(base[i])) return false;
    }
    for (std::size_t i = hyphen + 1; i < base.size(); ++i) {
        if (!IsNameCharacter(base[i]) && base[i] != '-') return false;
    }
    return true;
}

}  // namespace

bool IsConflictCopyName(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    const std::string_view base =
        dot == std::string_view::npos || dot == 0 ? fileName : fileName.substr(0, dot);
    const std::string lower = Lower(fileName);
    // "(conflicted copy ...)", "(Ann's conflicted copy ...)", "(Case Conflict)" and the like.
    const std::size_t open = lower.find('(');
    if (open != std::string::npos && lower.find("conflict", open) != std::string::npos) return true;
    if (lower.find(".sync-conflict-") != std::string::npos ||
        lower.find("_conflict-") != std::string::npos)
        return true;
    return EndsWithNumberInParentheses(base) || HasComputerNameSuffix(base);
}

}  // namespace chimeset
