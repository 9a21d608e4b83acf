#include "visits/AdditionalTowerInput.h"

#include "common/Text.h"
#include "visits/DialogInput.h"

namespace chimeset {
namespace {

constexpr const char* kItemMustBeCompleted = "Item must be completed";

Notice Refusal(std::string text) {
    Notice notice;
    notice.text = std::move(text);
    notice.icon = NoticeIcon::Exclamation;
    return notice;
}

// A whole number within the range, or the standard refusal for the field.
std::optional<InputRefusal> CheckRange(TowerInputField field, std::string_view text,
                                       std::int32_t minimum, std::int32_t maximum,
                                       std::int32_t& value) {
    std::int32_t parsed = 0;
    if (!ParseDialogInteger(text, parsed)) return InputRefusal{field, Refusal(IntegerMessage())};
    if (parsed < minimum || parsed > maximum)
        return InputRefusal{field, Refusal(IntegerRangeMessage(minimum, maximum))};
    value = parsed;
    return std::nullopt;
}

}  // namespace

TenorWeightParts SplitPounds(std::int32_t pounds) {
    TenorWeightParts parts;
    parts.cwt = pounds / 112;
    parts.qtr = (pounds % 112) / 28;
    parts.lbs = (pounds % 112) % 28;
    return parts;
}

std::int32_t PoundsOf(const TenorWeightParts& parts) {
    return parts.cwt * 112 + parts.qtr * 28 + parts.lbs;
}

std::string WeightPartsText(const TenorWeightParts& parts) {
    return Format("%i-%i-%i", parts.cwt, parts.qtr, parts.lbs);
}

std::optional<InputRefusal> CheckAdditionalTowerInput(std::string_view tbNumberText,
                                                      std::string_view bellsText,
                                                      std::string_view location,
                                                      std::string_view dedication,
                                                      std::int32_t& tbNumber, std::int32_t& bells) {
    std::int32_t number = 0;
    if (!ParseDialogInteger(tbNumberText, number))
        return InputRefusal{TowerInputField::TbNumber, Refusal(IntegerMessage())};
    std::int32_t bellCount = 0;
    if (auto refused =
            CheckRange(TowerInputField::Bells, bellsText, kMinBells, kMaxBells, bellCount))
        return refused;
    if (location.empty())
        return InputRefusal{TowerInputField::Location, Refusal(kItemMustBeCompleted)};
    if (dedication.empty())
        return InputRefusal{TowerInputField::Dedication, Refusal(kItemMustBeCompleted)};
    tbNumber = number;
    bells = bellCount;
    return std::nullopt;
}

std::optional<InputRefusal> CheckTenorWeightInput(std::string_view cwtText,
                                                  std::string_view qtrText,
                                                  std::string_view lbsText,
                                                  TenorWeightParts& parts) {
    TenorWeightParts checked;
    if (auto refused = CheckRange(TowerInputField::Cwt, cwtText, 0, kMaxCwt, checked.cwt))
        return refused;
    if (auto refused = CheckRange(TowerInputField::Qtr, qtrText, 0, kMaxQtr, checked.qtr))
        return refused;
    if (auto refused = CheckRange(TowerInputField::Lbs, lbsText, 0, kMaxLbs, checked.lbs))
        return refused;
    parts = checked;
    return std::nullopt;
}

bool IsAllowedInTowerField(char c) {
    return c != '\\';
}

}  // namespace chimeset
