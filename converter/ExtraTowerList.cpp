#include "converter/ExtraTowerList.h"

#include "common/Text.h"

namespace chimeset {

void ExtraTowerList::Assign(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    first_.clear();
    first_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const std::int64_t index = ReadLeadingNumber(GetField(entries_[i], 6));
        // Numbers too long to read all end at the same limit; they name no tower.
        if (index < kLeadingNumberTooLarge) first_.emplace(index, i);  // keeps the first
    }
}

const std::string* ExtraTowerList::Find(std::int64_t index) const {
    const auto it = first_.find(index);
    return it == first_.end() ? nullptr : &entries_[it->second];
}

}  // namespace chimeset
