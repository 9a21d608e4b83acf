// The programs' user messages by number, with their exact texts (Windows-1252).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "common/Prompter.h"

namespace chimeset {

inline constexpr std::uint32_t kMessageHelpBase = 0x30000;
inline constexpr std::uint32_t kDialogHelpBase = 0x20000;
inline constexpr std::uint32_t kCommandHelpBase = 0x10000;

// The messages by name. Each line of the message files names a message, gives its number and
// its text, so a number is declared in one place only. The two programs number their messages
// from 0x8000 each, so each has its own names.
namespace msg {
enum Message : std::uint32_t {
#define CHIMESET_MESSAGE(name, id, text) name = id,
#include "resources/messages/chimeset.inc"
#undef CHIMESET_MESSAGE
};
}  // namespace msg

namespace chimemove {
enum Message : std::uint32_t {
#define CHIMESET_MESSAGE(name, id, text) name = id,
#include "resources/messages/chimemove.inc"
#undef CHIMESET_MESSAGE
};
}  // namespace chimemove

class MessageTable {
  public:
    static const MessageTable& Chimeset();
    static const MessageTable& Chimemove();

    // The text of a message; empty for a number the table does not hold.
    const std::string& Text(std::uint32_t id) const;
    bool Has(std::uint32_t id) const { return texts_.count(id) != 0; }

    // A message box for the message. With help, F1 and the Help button open topic 0x30000 + id.
    Notice Make(std::uint32_t id, NoticeIcon icon = NoticeIcon::None,
                NoticeButtons buttons = NoticeButtons::Ok, bool withHelp = false) const;

  private:
    std::unordered_map<std::uint32_t, std::string> texts_;
};

}  // namespace chimeset
