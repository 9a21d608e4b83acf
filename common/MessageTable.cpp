#include "common/MessageTable.h"

#include <cstddef>

#include "common/FileFormats.h"

namespace chimeset {
namespace {

template <std::size_t N>
constexpr bool AllDifferent(const std::uint32_t (&ids)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        for (std::size_t j = i + 1; j < N; ++j)
            if (ids[i] == ids[j]) return false;
    return true;
}

#define CHIMESET_MESSAGE(name, id, text) id,
constexpr std::uint32_t kChimesetNumbers[] = {
#include "resources/messages/chimeset.inc"
};
constexpr std::uint32_t kChimemoveNumbers[] = {
#include "resources/messages/chimemove.inc"
};
#undef CHIMESET_MESSAGE
// Two lines with one number would leave one of the texts unreachable.
static_assert(AllDifferent(kChimesetNumbers), "a number is given to two messages of chimeset");
static_assert(AllDifferent(kChimemoveNumbers), "a number is given to two messages of chimemove");

}  // namespace

#define CHIMESET_MESSAGE(name, id, text) {id, std::string(text)},

const MessageTable& MessageTable::Chimeset() {
    static const MessageTable table = [] {
        MessageTable t;
        t.texts_ = {
#include "resources/messages/chimeset.inc"
        };
        return t;
    }();
    return table;
}

const MessageTable& MessageTable::Chimemove() {
    static const MessageTable table = [] {
        MessageTable t;
        t.texts_ = {
#include "resources/messages/chimemove.inc"
        };
        return t;
    }();
    return table;
}

#undef CHIMESET_MESSAGE

const std::string& MessageTable::Text(std::uint32_t id) const {
    static const std::string empty;
    const auto it = texts_.find(id);
    return it == texts_.end() ? empty : it->second;
}

Notice MessageTable::Make(std::uint32_t id, NoticeIcon icon, NoticeButtons buttons,
                          bool withHelp) const {
    Notice notice;
    notice.id = id;
    notice.text = Text(id);
    notice.icon = icon;
    notice.buttons = buttons;
    notice.helpContext = withHelp ? kMessageHelpBase + id : 0;
    return notice;
}

}  // namespace chimeset
