#include "visits/LogDiskState.h"

namespace chimeset {

void LogDiskState::Remember(const std::string& path, std::string_view content) {
    stamp_ = FileStamp::OfContent(path, content);
    declined_ = {};
}

void LogDiskState::Forget() {
    stamp_ = {};
    declined_ = {};
}

bool LogDiskState::ChangedOnDisk(const std::string& path) const {
    if (!stamp_.exists || path.empty()) return false;
    return ChangedSince(stamp_, FileStamp::Take(path));
}

bool LogDiskState::AlreadyDeclined(const std::string& path) const {
    return declined_.exists && !ChangedSince(declined_, FileStamp::Take(path));
}

void LogDiskState::Decline(const std::string& path) {
    declined_ = FileStamp::Take(path);
}

Notice LogDiskState::OverwriteQuestion(const std::string& fileName) {
    Notice notice;
    notice.text = fileName +
                  " has been changed on disk since it was opened here, by another program or "
                  "on another computer.\r\n\r\nOverwrite it with the log shown here, save the "
                  "log shown here under another name, or cancel and keep both as they are?";
    notice.icon = NoticeIcon::Exclamation;
    notice.buttons = NoticeButtons::YesNoCancel;
    notice.buttonCaptions = {"&Overwrite", "Save &As...", "Cancel"};
    return notice;
}

Notice LogDiskState::ReloadQuestion(const std::string& fileName) {
    Notice notice;
    notice.text = fileName +
                  " has been changed on disk since it was opened here, by another program or "
                  "on another computer, and has no changes made here.\r\n\r\nRead it again, to "
                  "show the log as it is now?";
    notice.icon = NoticeIcon::Question;
    notice.buttons = NoticeButtons::YesNo;
    return notice;
}

}  // namespace chimeset
