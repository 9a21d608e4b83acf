// The orders of the tower lists: by name, case-insensitively, and by PackedDate.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chimeset {

// Folds a Windows-1252 name for case-insensitive comparison: letters of either case
// compare equal, every other byte by its value.
std::string FoldCase(std::string_view name);
int CompareNoCase(std::string_view a, std::string_view b);

// A permutation 0..n-1 of the names sorted case-insensitively; equal names keep their order.
std::vector<std::uint32_t> SortByName(const std::vector<std::string>& names);
// A permutation sorted by the keys as unsigned numbers; equal keys keep their order.
std::vector<std::uint32_t> SortByDate(const std::vector<std::int32_t>& keys);

}  // namespace chimeset
