#include "common/FileStamp.h"

#include <filesystem>
#include <system_error>

#include "common/FileError.h"
#include "common/TextFile.h"

namespace chimeset {
namespace {

// FNV-1a: no cryptography is needed to tell two versions of a log apart.
std::uint64_t HashBytes(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::int64_t ModificationTime(const std::string& path) {
    std::error_code error;
    const auto time = std::filesystem::last_write_time(path, error);
    return error ? 0 : static_cast<std::int64_t>(time.time_since_epoch().count());
}

}  // namespace

FileStamp FileStamp::OfContent(const std::string& path, std::string_view content) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = content.size();
    stamp.modified = ModificationTime(path);
    stamp.contentHash = HashBytes(content);
    return stamp;
}

FileStamp FileStamp::Take(const std::string& path) {
    std::string content;
    FileError error;
    if (!ReadFileBytes(path, content, error)) return {};
    return OfContent(path, content);
}

bool ChangedSince(const FileStamp& stamped, const FileStamp& now) {
    if (!stamped.exists || !now.exists) return false;
    return stamped.size != now.size || stamped.contentHash != now.contentHash;
}

}  // namespace chimeset
