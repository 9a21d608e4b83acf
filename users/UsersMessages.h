// Numbers of the messages that the register, Manage Users, the log transfer and File Open show.
#pragma once

#include <cstdint>

namespace chimeset::usermsg {

inline constexpr std::uint32_t kChangeUser = 0x8000;
inline constexpr std::uint32_t kBadLength = 0x8002;
inline constexpr std::uint32_t kDuplicateId = 0x8003;
inline constexpr std::uint32_t kBadIdCharacter = 0x8004;
inline constexpr std::uint32_t kNotRegistered = 0x8007;
inline constexpr std::uint32_t kReadOnlyLog = 0x8008;
inline constexpr std::uint32_t kExistingLogFound = 0x8009;
inline constexpr std::uint32_t kNoUsers = 0x800B;
inline constexpr std::uint32_t kUnknownLogFormat = 0x8012;
inline constexpr std::uint32_t kVersion1Import = 0x8013;
inline constexpr std::uint32_t kTowerOutsideTable = 0x8014;
inline constexpr std::uint32_t kVersion1Magic = 0x8040;
inline constexpr std::uint32_t kIdCharacters = 0x8041;
inline constexpr std::uint32_t kCloseFirst = 0x8043;
inline constexpr std::uint32_t kLogNotCreated = 0x8044;
inline constexpr std::uint32_t kTaskCompleted = 0x8051;
inline constexpr std::uint32_t kHeaderDates = 0x8053;
inline constexpr std::uint32_t kHeaderTower = 0x8055;
inline constexpr std::uint32_t kPickImportFile = 0x8059;
inline constexpr std::uint32_t kPickDataFolder = 0x805A;
inline constexpr std::uint32_t kIdTableNotLoaded = 0x805B;

// Help contexts of the two dialogs: 0x20000 + dialog number.
inline constexpr std::uint32_t kManageUsersDialog = 133;
inline constexpr std::uint32_t kOpenLogDialog = 134;

}  // namespace chimeset::usermsg
