// Line-oriented 8-bit text files: CRLF or LF in, CRLF out.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileError.h"

namespace chimeset {

// Reads a whole file as it is on disk. Fails (with the cause in error) for a missing file,
// a folder, or a read error.
bool ReadFileBytes(const std::string& path, std::string& content, FileError& error);

// The lines of a text in memory, split as ReadTextLines splits a file.
// The same lines as views into content, for readers that keep none of them as they are.
std::vector<std::string_view> SplitTextLineViews(std::string_view content);
std::vector<std::string> SplitTextLines(std::string_view content);

// Reads every line of a text file. A line as read carries no line end; a last line
// without one is kept. Fails (with the cause in error) for a missing file, a folder,
// or a read error.
bool ReadTextLines(const std::string& path, std::vector<std::string>& lines, FileError& error);

// As ReadTextLines, for files from older systems whose lines may also end in a lone CR:
// CR LF, LF and CR each end a line.
bool ReadTextLinesAnyLineEnd(const std::string& path, std::vector<std::string>& lines,
                             FileError& error);
std::vector<std::string> SplitTextLinesAnyLineEnd(std::string_view content);

// Writes a text file so that the file at the path is either the old one or the complete
// new one: lines go to a temporary file in the same folder, which Commit flushes, syncs
// and renames over the target. Destroying an uncommitted writer removes the temporary file.
// A path that is a symbolic link is followed: the link stays and its target is replaced, in
// the target's folder. Open removes the temporary files that interrupted earlier saves of
// the same file left behind.
class AtomicTextWriter {
  public:
    explicit AtomicTextWriter(std::string path);
    ~AtomicTextWriter();
    AtomicTextWriter(const AtomicTextWriter&) = delete;
    AtomicTextWriter& operator=(const AtomicTextWriter&) = delete;

    bool Open(FileError& error);
    void WriteLine(std::string_view line);  // appends CR LF
    bool Commit(FileError& error);

    const std::string& TemporaryPath() const { return tempPath_; }

  private:
    void Discard();

    std::string path_;
    std::string target_;  // path_ with symbolic links followed
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Writes the lines (each followed by CR LF) atomically; the convenience form of the writer.
bool WriteTextLines(const std::string& path, const std::vector<std::string>& lines,
                    FileError& error);

bool FileExists(const std::string& path);
bool IsDirectory(const std::string& path);
bool IsRegularFile(const std::string& path);

// The folder part of a path (up to, not including, the last separator) and the part after it.
std::string FolderOf(const std::string& path);
std::string FileNameOf(const std::string& path);
// Joins a folder and a name with the native separator.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace chimeset
