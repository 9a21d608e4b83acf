#include "converter/CrossRefTable.h"

#include <limits>

#include "common/Text.h"

namespace chimeset {

CrossRefTable::Result CrossRefTable::Load(const std::vector<std::string>& lines) {
    numbers_.assign(kCrossRefSize, 0);
    if (lines.empty() || lines[0].compare(0, kCrossRefFirstLine.size(), kCrossRefFirstLine) != 0)
        return Result::WrongFormat;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::int64_t index = ReadLeadingNumber(GetRawField(lines[i], 0));
        const std::int64_t number = ReadLeadingNumber(GetRawField(lines[i], 1));
        if (!Contains(index) || number > std::numeric_limits<std::int32_t>::max()) {
            numbers_.assign(kCrossRefSize, 0);
            return Result::WrongFormat;
        }
        numbers_[static_cast<std::size_t>(index)] = static_cast<std::uint32_t>(number);
    }
    return Result::Loaded;
}

}  // namespace chimeset
