#include "common/Text.h"

#include <cstdarg>
#include <cstdio>
#include <limits>

namespace chimeset {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(kWhiteSpace);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kWhiteSpace);
    return text.substr(first, last - first + 1);
}

std::int32_t ParseNumber(std::string_view text) {
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return -1;
    }
    return static_cast<std::int32_t>(value);
}

std::string_view GetRawField(std::string_view line, std::size_t n) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto slash = line.find('\\', start);
        if (slash == std::string_view::npos) return {};
        start = slash + 1;
    }
    const auto end = line.find('\\', start);
    return line.substr(start, end == std::string_view::npos ? line.size() - start : end - start);
}

std::string GetField(std::string_view line, std::size_t n) {
    return std::string(Trim(GetRawField(line, n)));
}

std::int64_t ReadLeadingNumber(std::string_view text) {
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value >= kLeadingNumberTooLarge) return kLeadingNumberTooLarge;
    }
    return value;
}

std::uint32_t ColumnAt(std::string_view line, std::size_t pos) {
    std::uint32_t column = 0;
    for (std::size_t i = 0; i < pos && i < line.size(); ++i) {
        if (line[i] == '\\') ++column;
    }
    return column;
}

std::vector<std::string> SplitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const auto end = line.find(separator, start);
        if (end == std::string_view::npos) {
            fields.emplace_back(line.substr(start));
            return fields;
        }
        fields.emplace_back(line.substr(start, end - start));
        start = end + 1;
    }
}

std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string result;
    if (size > 0) {
        result.resize(static_cast<std::size_t>(size) + 1);
        std::vsnprintf(result.data(), result.size(), format, args);
        result.resize(static_cast<std::size_t>(size));
    }
    va_end(args);
    return result;
}

std::string ToUpperAscii(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

}  // namespace chimeset
