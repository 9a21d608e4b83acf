// What reading or writing a file came to, for the caller to show: whether it worked, the
// file error when the file itself could not be read or written, and the messages for the
// user, in the order they are to be shown. Loaders return it; whoever has a user shows it.
#pragma once

#include <optional>
#include <vector>

#include "common/FileError.h"
#include "common/Prompter.h"

namespace chimeset {

struct FileResult {
    bool ok = false;
    std::optional<FileError> fileError;
    std::vector<Notice> notices;
};

// The file-error box, then each message.
inline void ShowFileResult(Prompter& prompter, const FileResult& result) {
    if (result.fileError) prompter.ShowFileError(*result.fileError);
    for (const Notice& notice : result.notices) prompter.Show(notice);
}

}  // namespace chimeset
