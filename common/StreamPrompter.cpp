#include "common/StreamPrompter.h"

#include <algorithm>

#include "common/CodePage.h"

namespace chimeset {

Answer StreamPrompter::Show(const Notice& notice) {
    Write(notice.textIsUtf8 ? notice.text : Windows1252ToUtf8(notice.text));
    switch (notice.buttons) {
        case NoticeButtons::Ok:
            return Answer::Ok;
        case NoticeButtons::YesNo:
            return Answer::No;
        case NoticeButtons::YesNoCancel:
        case NoticeButtons::OkCancel:
            return Answer::Cancel;
    }
    return Answer::Cancel;
}

void StreamPrompter::ShowFileError(const FileError& error) {
    Write(Windows1252ToUtf8(error.path.Text() + ": " + error.cause));
}

void StreamPrompter::Write(std::string utf8) {
    // Messages end their lines in CR LF; a terminal wants LF alone.
    utf8.erase(std::remove(utf8.begin(), utf8.end(), '\r'), utf8.end());
    err_ << "chimeset: " << utf8 << '\n';
    err_.flush();
}

}  // namespace chimeset
