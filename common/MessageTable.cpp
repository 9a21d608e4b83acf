#include "common/MessageTable.h"

namespace chimeset {

#define CHIMESET_MESSAGE(id, text) {id, text},

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
