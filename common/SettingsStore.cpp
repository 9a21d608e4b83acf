#include "common/SettingsStore.h"

namespace chimeset {

Notice SettingsNotSavedNotice(const SettingsStore& store, const std::string& consequence) {
    const std::string location = store.Location();
    Notice notice;
    notice.text = "The settings could not be saved";
    if (!location.empty()) notice.text += " in " + location;
    notice.text +=
        ".\r\nThe settings folder may be read-only or the disk full.\r\n\r\n" + consequence;
    notice.icon = NoticeIcon::Exclamation;
    return notice;
}

}  // namespace chimeset
