#include "common/TextFolding.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

#include "common/CodePage.h"

namespace chimeset {
namespace {

struct LatinFold {
    char32_t codePoint;
    const char* plain;
};

struct AccentJoin {
    char base;
    char32_t accent;
    unsigned char joined;
};

#include "common/LatinFolding.inc"

// Punctuation, symbols and spaces outside the Latin letter blocks.
constexpr LatinFold kSymbolFolds[] = {
    {0x02B9, "'"},   {0x02BA, "\""},  {0x02BB, "'"},   {0x02BC, "'"},   {0x02C8, "'"},
    {0x02CB, "`"},   {0x02D0, ":"},   {0x2010, "-"},   {0x2011, "-"},   {0x2012, "-"},
    {0x2015, "-"},   {0x201B, "'"},   {0x201F, "\""},  {0x2032, "'"},   {0x2033, "\""},
    {0x2035, "`"},   {0x2044, "/"},   {0x2052, "%"},   {0x2070, "0"},   {0x2074, "4"},
    {0x2075, "5"},   {0x2076, "6"},   {0x2077, "7"},   {0x2078, "8"},   {0x2079, "9"},
    {0x20A4, "L"},   {0x2116, "No"},  {0x2153, "1/3"}, {0x2154, "2/3"}, {0x215B, "1/8"},
    {0x215C, "3/8"}, {0x215D, "5/8"}, {0x215E, "7/8"}, {0x2190, "<-"},  {0x2192, "->"},
    {0x2212, "-"},   {0x2215, "/"},   {0x2217, "*"},   {0x2219, "."},   {0x2248, "~"},
    {0x2260, "!="},  {0x2264, "<="},  {0x2265, ">="},  {0x266D, "b"},   {0x266E, ""},
    {0x266F, "#"},   {0xFF0C, ","},   {0x1D12A, "x"},  {0x1D12B, "bb"},
};

bool IsDropped(char32_t c) {
    return (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2064) || c == 0xFEFF || (c >= 0xFE00 && c <= 0xFE0F);
}

bool IsSpace(char32_t c) {
    return (c >= 0x2000 && c <= 0x200A) || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0x1680;
}

bool IsCombiningAccent(char32_t c) {
    return c >= 0x0300 && c <= 0x036F;
}

}  // namespace

const char* PlainFormOf(char32_t c) {
    const auto byCodePoint = [](const LatinFold& fold, char32_t value) {
        return fold.codePoint < value;
    };
    auto it = std::lower_bound(std::begin(kLatinFolds), std::end(kLatinFolds), c, byCodePoint);
    if (it != std::end(kLatinFolds) && it->codePoint == c) return it->plain;
    it = std::lower_bound(std::begin(kSymbolFolds), std::end(kSymbolFolds), c, byCodePoint);
    if (it != std::end(kSymbolFolds) && it->codePoint == c) return it->plain;
    return nullptr;
}

namespace {

// Joins an ASCII letter already written with a following combining accent.
bool JoinAccent(std::string& out, char32_t accent) {
    if (out.empty()) return false;
    const char base = out.back();
    for (const auto& join : kAccentJoins) {
        if (join.base == base && join.accent == accent) {
            out.back() = static_cast<char>(join.joined);
            return true;
        }
    }
    return false;
}

// Decodes one UTF-8 sequence at pos; returns its length, 0 when malformed.
std::size_t DecodeUtf8(std::string_view text, std::size_t pos, char32_t& c) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length;
    char32_t min;
    if (lead < 0x80) {
        c = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - pos < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::size_t FindInvalidUtf8(std::string_view text) {
    char32_t c;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = DecodeUtf8(text, pos, c);
        if (length == 0) return pos;
        pos += length;
    }
    return std::string_view::npos;
}

std::string FoldToWindows1252(std::string_view utf8, FoldingCounts* counts) {
    FoldingCounts local;
    FoldingCounts& tally = counts ? *counts : local;
    std::string out;
    out.reserve(utf8.size());
    char32_t c;
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::size_t length = DecodeUtf8(utf8, pos, c);
        if (length == 0) {
            // Callers check the text first; a stray byte still must not pass through.
            out += '?';
            ++tally.unknown;
            ++pos;
            continue;
        }
        pos += length;
        if (c == '\\') {
            out += '/';
        } else if (c == '\t' || c == '\r' || c == '\n' || c == 0x0B || c == 0x0C || c == 0x85 ||
                   c == 0x2028 || c == 0x2029 || IsSpace(c)) {
            out += ' ';
        } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || IsDropped(c)) {
            // Control and invisible formatting characters carry nothing a reader sees.
        } else if (const unsigned char byte = CodePointToWindows1252(c); byte != 0) {
            out += static_cast<char>(byte);
        } else if (IsCombiningAccent(c)) {
            if (!JoinAccent(out, c)) ++tally.simplified;
        } else if (const char* plain = PlainFormOf(c)) {
            out += plain;
            ++tally.simplified;
        } else {
            out += '?';
            ++tally.unknown;
        }
    }
    return out;
}

bool IsControlCharacter(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x2028 || c == 0x2029;
}

CodePageFit FitToWindows1252(std::u32string_view typed) {
    CodePageFit fit;
    fit.text.reserve(typed.size());
    for (const char32_t c : typed) {
        if (const unsigned char byte = CodePointToWindows1252(c); byte != 0 || c == 0) {
            fit.text += static_cast<char>(byte);
        } else if (IsDropped(c)) {
            // Invisible: nothing that a reader sees is lost.
        } else if (IsSpace(c)) {
            fit.text += ' ';
        } else if (IsCombiningAccent(c) && JoinAccent(fit.text, c)) {
            // The accented letter has a byte of its own.
        } else {
            if (fit.unheld.find(c) == std::u32string::npos) fit.unheld += c;
            if (const char* plain = PlainFormOf(c)) fit.text += plain;
        }
    }
    return fit;
}

}  // namespace chimeset
