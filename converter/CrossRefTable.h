// Version 1 index to TowerBase number, read from CrossRef.txt for one conversion run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chimeset {

inline constexpr std::string_view kCrossRefFirstLine = "VLog\\TB";
inline constexpr std::size_t kCrossRefSize = 6106;

class CrossRefTable {
  public:
    enum class Result { Loaded, NotAFile, WrongFormat };

    CrossRefTable() : numbers_(kCrossRefSize, 0) {}

    // From the file's lines: line 1 must begin with "VLog\TB"; each later line stores the
    // leading number of field 1 at the leading number of field 0 (both untrimmed), a later
    // line winning. A line whose index is outside the table, or whose number does not fit
    // a Version 2 IndexNo, makes the whole file WrongFormat: such a file is not ours, and a
    // partial table would quietly send towers to the wrong place.
    Result Load(const std::vector<std::string>& lines);

    static bool Contains(std::int64_t index) {
        return index >= 0 && static_cast<std::uint64_t>(index) < kCrossRefSize;
    }
    std::uint32_t operator[](std::int64_t index) const {
        return numbers_[static_cast<std::size_t>(index)];
    }

  private:
    std::vector<std::uint32_t> numbers_;
};

}  // namespace chimeset
