// Towers that the Version 1 tower list lacked, from Chimeset.CB1, found by Version 1 index.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace chimeset {

class ExtraTowerList {
  public:
    // Every line after the magic line is one entry, blank lines included, in file order.
    void Assign(std::vector<std::string> entries);

    // The first entry whose field 6 holds the index, or nullptr.
    const std::string* Find(std::int64_t index) const;

    std::size_t Size() const { return entries_.size(); }

  private:
    std::vector<std::string> entries_;
    // Index to the position of its first entry; the list is searched once per record
    // outside the translation table, so a scan would cost records times entries.
    std::unordered_map<std::int64_t, std::size_t> first_;
};

}  // namespace chimeset
