#include "towerdata/NameOrder.h"

#include <algorithm>
#include <numeric>

namespace chimeset {
namespace {

unsigned char FoldByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    // Windows-1252 capitals with accents, and the few capitals in 0x80-0x9F.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    if (c == 0x8A || c == 0x8C || c == 0x8E) return static_cast<unsigned char>(c + 0x10);
    if (c == 0x9F) return 0xFF;
    return c;
}

std::vector<std::uint32_t> Identity(std::size_t n) {
    std::vector<std::uint32_t> order(n);
    std::iota(order.begin(), order.end(), 0u);
    return order;
}

}  // namespace

std::string FoldCase(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) c = static_cast<char>(FoldByte(static_cast<unsigned char>(c)));
    return folded;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = FoldByte(static_cast<unsigned char>(a[i]));
        const unsigned char y = FoldByte(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Both sorts give exactly the order of a bubble sort that swaps only strictly greater
// neighbours, which is a stable sort by the same comparison.
std::vector<std::uint32_t> SortByName(const std::vector<std::string>& names) {
    std::vector<std::string> keys;
    keys.reserve(names.size());
    for (const auto& name : names) keys.push_back(FoldCase(name));
    auto order = Identity(names.size());
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    return order;
}

std::vector<std::uint32_t> SortByDate(const std::vector<std::int32_t>& keys) {
    auto order = Identity(keys.size());
    std::stable_sort(order.begin(), order.end(), [&keys](std::uint32_t a, std::uint32_t b) {
        return static_cast<std::uint32_t>(keys[a]) < static_cast<std::uint32_t>(keys[b]);
    });
    return order;
}

}  // namespace chimeset
