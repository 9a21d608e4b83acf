#include "common/RecordLine.h"

#include "common/Text.h"

namespace chimeset {
namespace {

constexpr char kEndOfFileMark = '\x1A';

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

std::string RecordFieldText(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (IsControl(c)) c = ' ';
    }
    return result;
}

std::string SafeRecordLine(std::string line) {
    if (!line.empty() && line[0] == ';') line.insert(line.begin(), ' ');
    return line;
}

bool IsEmptyRecordLine(std::string_view line) {
    for (const char c : line) {
        if (c != kEndOfFileMark && kWhiteSpace.find(c) == std::string_view::npos) return false;
    }
    return true;
}

std::string_view WithoutEndOfFileMark(std::string_view line) {
    while (!line.empty() && line.back() == kEndOfFileMark) line.remove_suffix(1);
    return line;
}

bool IsVersion1BlankLine(const std::vector<std::string>& lines, std::size_t i) {
    const std::string_view line = i + 1 == lines.size() ? WithoutEndOfFileMark(lines[i]) : lines[i];
    return IsEmptyRecordLine(line);
}

}  // namespace chimeset
