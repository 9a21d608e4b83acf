// The open log's file as this program last read or wrote it. A sync service or another
// program may change the file behind the open log; this tells when it has, so that a save
// asks before it overwrites the change and an unchanged log can be read again.
#pragma once

#include <string>
#include <string_view>

#include "common/FileStamp.h"
#include "common/Prompter.h"

namespace chimeset {

class LogDiskState {
  public:
    // What the file held when read or written; the bytes are what went through this program.
    void Remember(const std::string& path, std::string_view content);
    void Forget();

    // True when the file at path holds other bytes than were last read or written there.
    bool ChangedOnDisk(const std::string& path) const;

    // The reload question is asked once for each version of the file: a user who said No
    // is not asked again until the file changes once more.
    bool AlreadyDeclined(const std::string& path) const;
    void Decline(const std::string& path);

    // "Overwrite", "Save As..." and "Cancel" (answered Yes, No and Cancel).
    static Notice OverwriteQuestion(const std::string& fileName);
    // Yes reads the file again.
    static Notice ReloadQuestion(const std::string& fileName);

  private:
    FileStamp stamp_;
    FileStamp declined_;
};

}  // namespace chimeset
