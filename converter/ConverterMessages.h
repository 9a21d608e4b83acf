// Numbers of the converter's messages (texts in resources/messages/chimemove.inc).
#pragma once

#include <cstdint>

namespace chimeset::chimemove {

inline constexpr std::uint32_t kBanner = 0x8000;
inline constexpr std::uint32_t kNoLogsForUser = 0x8001;
inline constexpr std::uint32_t kNothingToConvert = 0x8002;
inline constexpr std::uint32_t kReadyNewLocation = 0x8003;
inline constexpr std::uint32_t kReadyInPlace = 0x8004;
inline constexpr std::uint32_t kChooseFolder = 0x8005;
inline constexpr std::uint32_t kUpgradeCompleted = 0x8006;
inline constexpr std::uint32_t kExportSameFolder = 0x8007;
inline constexpr std::uint32_t kExportCompleted = 0x8008;
inline constexpr std::uint32_t kCrossRefFormat = 0x8009;
inline constexpr std::uint32_t kExtraTowerFormat = 0x800A;
inline constexpr std::uint32_t kLogFormat = 0x800B;
inline constexpr std::uint32_t kMissingDetails = 0x800C;

}  // namespace chimeset::chimemove
