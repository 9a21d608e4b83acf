// Find and Find Next over the current list: the next tower whose location contains the
// search text, ignoring case; no wrap at the end of the list. No Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace chimeset {

class CChimesetDoc;

class TowerSearch {
  public:
    const std::string& SearchText() const { return searchText_; }
    std::int32_t FindStartIndex() const { return findStart_; }

    // Find's OK: a new search from the top of the list.
    void Start(const std::string& text) {
        searchText_ = text;
        findStart_ = 0;
    }
    // Every refill of the list starts the search again at the top.
    void ResetStart() { findStart_ = 0; }

    // Find Next: the list position of the next match, for the caller to select; -1 when
    // none is left, the next search then starting at the top again.
    std::int32_t FindNext(const CChimesetDoc& doc);

  private:
    std::string searchText_;
    std::int32_t findStart_ = 0;
};

// Lower case in Windows-1252: ASCII and the accented capitals of the code page.
std::string ToLower1252(std::string_view text);

}  // namespace chimeset
