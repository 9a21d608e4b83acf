#include "common/TextFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "common/NativeFile.h"
#include "common/WindowsFileNames.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#define fsync _commit
#define fileno _fileno
#else
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/mman.h>
#ifndef MADV_POPULATE_WRITE
#define MADV_POPULATE_WRITE 23
#endif
#endif

namespace chimeset {

std::string FileErrorCause(int err) {
    switch (err) {
        case ENOENT:
            return "The file or folder does not exist.";
        case EACCES:
        case EPERM:
            return "Access to the file was denied.";
        case EISDIR:
            return "The name is a folder, not a file.";
        case ENOSPC:
            return "The disk is full.";
        case EROFS:
            return "The disk is read-only.";
        default:
            return std::strerror(err);
    }
}

namespace {

// Makes the pages of a large buffer present in one call before a file is read into it. Taken
// one page fault at a time, a megabyte costs several times as long as reading the file itself
// on a virtual machine. Only Linux has the call; a kernel without it leaves the pages to come
// as they are first written, as everywhere else.
void MakePagesPresent(char* data, std::size_t size) {
#ifdef __linux__
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0) return;
    const auto page = static_cast<std::uintptr_t>(pageSize);
    const auto first = (reinterpret_cast<std::uintptr_t>(data) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(page - 1);
    if (end > first) madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)data;
    (void)size;
#endif
}

// Replaces the target in one step, so that there is never a moment without either file.
bool RenameOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
    if (::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = LastErrorAsErrno();
    return false;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// A file the user has protected from writing must not be replaced by a rename either.
bool IsWriteProtected(const std::string& path) {
#ifdef _WIN32
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
#endif
}

// The file that a save must replace. A symbolic link is followed to the end of its chain, so
// that the link stays and its target (say, in a synced folder) gets the new contents; a
// relative link counts from the folder of the link that holds it. A link to nothing yet
// gives the file it names.
bool FollowLinks(const std::string& path, std::string& target, int& err) {
    namespace fs = std::filesystem;
    fs::path current = FsPath(path);
    bool followed = false;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) {
            target = NativeOf(current);
            if (followed) {
                const fs::path tidy = fs::weakly_canonical(current, ec);
                if (!ec) target = NativeOf(tidy);
            }
            return true;
        }
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) {
            const std::error_condition condition = ec.default_error_condition();
            err = condition.category() == std::generic_category() ? condition.value() : EIO;
            return false;
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
        followed = true;
    }
    err = ELOOP;
    return false;
}

bool SameNameText(std::string_view a, std::string_view b) {
#ifdef _WIN32
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
#else
    return a == b;
#endif
}

// Distinct enough that no file a user names by hand is taken for one of ours.
constexpr std::string_view kTemporaryInfix = ".~save";
constexpr std::size_t kTemporaryDigits = 6;

// A name that Open gives the temporary file of a save of the file named fileName.
bool IsTemporaryNameOf(std::string_view name, std::string_view fileName) {
    const std::size_t prefix = fileName.size() + kTemporaryInfix.size();
    if (name.size() <= prefix || name.size() > prefix + kTemporaryDigits) return false;
    if (!SameNameText(name.substr(0, fileName.size()), fileName) ||
        !SameNameText(name.substr(fileName.size(), kTemporaryInfix.size()), kTemporaryInfix))
        return false;
    for (const char c : name.substr(prefix)) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// A save cut off before its rename (a crash, a kill) leaves its temporary file, as large as
// the file itself. The next save of the same file takes them away, so they do not pile up.
void RemoveLeftTemporaryFiles(const std::string& target) {
    namespace fs = std::filesystem;
    const fs::path folder = FsPath(target).parent_path();
    const std::string fileName = FileNameOf(target);
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (!IsTemporaryNameOf(NativeOf(it->path().filename()), fileName)) continue;
        std::error_code ignored;
        if (fs::is_regular_file(it->symlink_status(ignored))) fs::remove(it->path(), ignored);
    }
}

// Opens a file for writing that must not exist yet; null with errno set when it cannot be
// made (EEXIST when the name is taken).
std::FILE* CreateNewFile(const std::string& path) {
#ifdef _WIN32
    // The C library of Windows knows no "x" mode: CreateFileW says whether the name is free.
    const HANDLE handle = ::CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = LastErrorAsErrno();
        return nullptr;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_WRONLY);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EIO;
        return nullptr;
    }
    std::FILE* file = ::_fdopen(fd, "wb");
    if (!file) ::_close(fd);
    return file;
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

// The folder in which a file is made, as the user is told of it.
std::string FolderForMessages(const std::string& path) {
    const std::string folder = NativeOf(FsPath(path).parent_path());
    if (!folder.empty()) return folder;
    std::error_code ec;
    const auto current = std::filesystem::current_path(ec);
    return ec ? std::string(".") : NativeOf(current);
}

}  // namespace

std::string FolderErrorCause(int err) {
    switch (err) {
        case ENOENT:
            return "The folder does not exist.";
        case ENOTDIR:
            return "The name is a file, not a folder.";
        case EACCES:
        case EPERM:
            return "Access to the folder was denied.";
        default:
            return FileErrorCause(err);
    }
}

std::string FileError::Describe() const {
    return path.Native() + "\r\n" + cause;
}

#ifdef _WIN32
bool FileExists(const std::string& path) {
    return ::GetFileAttributesW(WidePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsRegularFile(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}
#else
bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFDIR;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && (info.st_mode & S_IFMT) == S_IFREG;
}
#endif

std::string FolderOf(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) return path.substr(0, i - 1);
    }
    return {};
}

std::string FileNameOf(const std::string& path) {
    for (std::size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) return path.substr(i);
    }
    return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
#ifdef _WIN32
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

bool ReadFileBytes(const std::string& path, std::string& content, FileError& error) {
    content.clear();
    error = FileError{NativePath(path), {}};
    if (IsDirectory(path)) {
        error.cause = FileErrorCause(EISDIR);
        return false;
    }
    std::FILE* file = OpenNativeFile(path, "rb");
    if (!file) {
        error.cause = FileErrorCause(errno);
        return false;
    }
    // Room for the whole file at once: growing by copies would touch twice its size anew.
    if (std::fseek(file, 0, SEEK_END) == 0) {
        const long size = std::ftell(file);
        if (size > 0) content.reserve(static_cast<std::size_t>(size));
        constexpr long kLargeFile = 64 * 1024;
        if (size >= kLargeFile) MakePagesPresent(content.data(), static_cast<std::size_t>(size));
        std::rewind(file);
    }
    char buffer[64 * 1024];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
    const bool readFailed = std::ferror(file) != 0;
    const int readErrno = errno;
    std::fclose(file);
    if (readFailed) {
        error.cause = FileErrorCause(readErrno);
        return false;
    }
    return true;
}

std::vector<std::string> SplitTextLines(std::string_view content) {
    const std::vector<std::string_view> views = SplitTextLineViews(content);
    return std::vector<std::string>(views.begin(), views.end());
}

std::vector<std::string_view> SplitTextLineViews(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const auto lf = content.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? content.size() : lf;
        std::size_t lineEnd = end;
        if (lf != std::string_view::npos && lineEnd > start && content[lineEnd - 1] == '\r')
            --lineEnd;
        lines.emplace_back(content.substr(start, lineEnd - start));
        if (lf == std::string_view::npos) break;
        start = lf + 1;
    }
    return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, FileError& error) {
    lines.clear();
    std::string content;
    if (!ReadFileBytes(path, content, error)) return false;
    lines = SplitTextLines(content);
    return true;
}

std::vector<std::string> SplitTextLinesAnyLineEnd(std::string_view content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const auto end = content.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(content.substr(start));
            break;
        }
        lines.emplace_back(content.substr(start, end - start));
        start = end + 1;
        if (content[end] == '\r' && start < content.size() && content[start] == '\n') ++start;
    }
    return lines;
}

bool ReadTextLinesAnyLineEnd(const std::string& path, std::vector<std::string>& lines,
                             FileError& error) {
    lines.clear();
    std::string content;
    if (!ReadFileBytes(path, content, error)) return false;
    lines = SplitTextLinesAnyLineEnd(content);
    return true;
}

AtomicTextWriter::AtomicTextWriter(std::string path) : path_(std::move(path)) {}

AtomicTextWriter::~AtomicTextWriter() {
    Discard();
}

void AtomicTextWriter::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!tempPath_.empty()) {
        RemoveNativeFile(tempPath_);
        tempPath_.clear();
    }
}

bool AtomicTextWriter::Open(FileError& error) {
    Discard();
    failed_ = false;
    error = FileError{NativePath(path_), {}};
    int err = 0;
    if (!FollowLinks(path_, target_, err)) {
        error.cause = FileErrorCause(err);
        return false;
    }
    error.path = NativePath(target_);
#ifdef _WIN32
    // A device name would be opened as the device, a trailing dot dropped: refused before
    // anything is made.
    if (const std::string problem = WindowsPathProblem(target_); !problem.empty()) {
        error.cause = problem;
        return false;
    }
#endif
    if (IsDirectory(target_)) {
        error.cause = FileErrorCause(EISDIR);
        return false;
    }
    if (IsWriteProtected(target_)) {
        error.cause = FileErrorCause(EACCES);
        return false;
    }
    RemoveLeftTemporaryFiles(target_);
    std::random_device random;
    for (int attempt = 0; attempt < 16 && !file_; ++attempt) {
        tempPath_ = target_ + std::string(kTemporaryInfix) + std::to_string(random() % 1000000);
        // Never reuse a file someone else created under that name.
        file_ = CreateNewFile(tempPath_);
        if (!file_ && errno != EEXIST) break;
    }
    if (!file_) {
        err = errno;
        // The file cannot be made where it belongs: the folder is what the user must see to.
        switch (err) {
            case ENOENT:
            case ENOTDIR:
            case EACCES:
            case EPERM:
            case EROFS:
                error = FileError{NativePath(FolderForMessages(target_)), FolderErrorCause(err)};
                break;
            default:
                error.cause = FileErrorCause(err);
        }
        tempPath_.clear();
        return false;
    }
#ifdef _WIN32
    // The new file takes the place of the old one, so it keeps the old one's attributes
    // (hidden, say); read-only it cannot be, as such a file is refused above.
    const DWORD attributes = ::GetFileAttributesW(WidePath(target_).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        ::SetFileAttributesW(
            WidePath(tempPath_).c_str(),
            attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    }
#else
    // The new file takes the place of the old one, so it keeps the old one's permissions.
    struct stat info {};
    if (::stat(target_.c_str(), &info) == 0) ::fchmod(::fileno(file_), info.st_mode & 07777);
#endif
    return true;
}

void AtomicTextWriter::WriteLine(std::string_view line) {
    if (!file_ || failed_) return;
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
        std::fwrite("\r\n", 1, 2, file_) != 2) {
        failed_ = true;
    }
}

bool AtomicTextWriter::Commit(FileError& error) {
    error = FileError{NativePath(target_.empty() ? path_ : target_), {}};
    if (!file_) {
        error.cause = "The file was not opened for writing.";
        return false;
    }
    int err = 0;
    if (failed_ || std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0) err = errno;
    if (std::fclose(file_) != 0 && err == 0) err = errno;
    file_ = nullptr;
    if (err == 0 && !RenameOver(tempPath_, target_)) err = errno ? errno : EIO;
    if (err != 0) {
        error.cause = FileErrorCause(err == 0 ? EIO : err);
        Discard();
        return false;
    }
    tempPath_.clear();
    return true;
}

bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    FileError& error) {
    AtomicTextWriter writer(path);
    if (!writer.Open(error)) return false;
    for (const auto& line : lines) writer.WriteLine(line);
    return writer.Commit(error);
}

}  // namespace chimeset
