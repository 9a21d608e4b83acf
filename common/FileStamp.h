// What a file held when it was read or written, so that a change made since by another
// program or another computer (a sync service) is noticed before it is overwritten.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace chimeset {

struct FileStamp {
    bool exists = false;
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // the file system's modification time, in its own units
    std::uint64_t contentHash = 0;

    // The stamp of bytes known to be the file's (just read or just written); the
    // modification time is read from the file.
    static FileStamp OfContent(const std::string& path, std::string_view content);
    // Reads the file. A missing or unreadable file gives a stamp that does not exist.
    static FileStamp Take(const std::string& path);
};

// True when the file on disk (now) holds other bytes than it did when stamped. A file that
// is gone is no change that a save could lose; a new modification time over the same bytes
// (a sync service writing the file back unchanged) is none either.
bool ChangedSince(const FileStamp& stamped, const FileStamp& now);

}  // namespace chimeset
