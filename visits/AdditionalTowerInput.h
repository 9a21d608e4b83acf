// The Additional Towers and Add Tower dialogs' checks on what the user typed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/Prompter.h"

namespace chimeset {

// A tenor weight as hundredweight, quarters and pounds (112 and 28 pounds).
struct TenorWeightParts {
    std::int32_t cwt = 0;
    std::int32_t qtr = 0;
    std::int32_t lbs = 0;
};

inline constexpr std::int32_t kMaxCwt = 200;
inline constexpr std::int32_t kMaxQtr = 3;
inline constexpr std::int32_t kMaxLbs = 27;
inline constexpr std::int32_t kMinBells = 1;
inline constexpr std::int32_t kMaxBells = 99;

TenorWeightParts SplitPounds(std::int32_t pounds);
std::int32_t PoundsOf(const TenorWeightParts& parts);
// "11-1-0": the weight text that the Additional Towers dialog shows after entry.
std::string WeightPartsText(const TenorWeightParts& parts);

// The fields of the two dialogs, for saying which one a refusal is about.
enum class TowerInputField { TbNumber, Bells, Location, Dedication, Cwt, Qtr, Lbs };

struct InputRefusal {
    TowerInputField field;
    Notice notice;
};

// The Additional Towers dialog's OK, in its order: identity number, bells (1 to 99),
// location, dedication. Blanks count as text. On success the numbers are stored.
std::optional<InputRefusal> CheckAdditionalTowerInput(std::string_view tbNumberText,
                                                      std::string_view bellsText,
                                                      std::string_view location,
                                                      std::string_view dedication,
                                                      std::int32_t& tbNumber, std::int32_t& bells);

// The Add Tower dialog's OK: hundredweight 0 to 200, quarters 0 to 3, pounds 0 to 27.
std::optional<InputRefusal> CheckTenorWeightInput(std::string_view cwtText,
                                                  std::string_view qtrText,
                                                  std::string_view lbsText,
                                                  TenorWeightParts& parts);

// A tower's fields are joined with backslashes, so no field may hold one.
bool IsAllowedInTowerField(char c);

}  // namespace chimeset
