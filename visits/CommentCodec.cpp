#include "visits/CommentCodec.h"

#include <cstdint>

namespace chimeset {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int AlphabetPosition(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string EncodeComment(std::string_view comment) {
    std::string out;
    out.reserve((comment.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= comment.size(); i += 3) {
        const std::uint32_t v = static_cast<unsigned char>(comment[i]) << 16 |
                                static_cast<unsigned char>(comment[i + 1]) << 8 |
                                static_cast<unsigned char>(comment[i + 2]);
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += kAlphabet[v & 63];
    }
    const std::size_t rest = comment.size() - i;
    if (rest == 1) {
        const std::uint32_t v = static_cast<unsigned char>(comment[i]) << 16;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += "==";
    } else if (rest == 2) {
        const std::uint32_t v = static_cast<unsigned char>(comment[i]) << 16 |
                                static_cast<unsigned char>(comment[i + 1]) << 8;
        out += kAlphabet[(v >> 18) & 63];
        out += kAlphabet[(v >> 12) & 63];
        out += kAlphabet[(v >> 6) & 63];
        out += '=';
    }
    return out;
}

std::string DecodeComment(std::string_view encoded) {
    std::string out;
    std::uint32_t accumulator = 0;
    int bits = 0;
    for (const char c : encoded) {
        const int position = AlphabetPosition(c);
        if (position < 0) break;  // "=" and every foreign character end the comment
        accumulator = (accumulator << 6) | static_cast<std::uint32_t>(position);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((accumulator >> bits) & 255);
        }
    }
    return out;
}

}  // namespace chimeset
