// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>
#include <vector>

namespace chimeset::testing {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const;  // path of a file inside

    // Writes bytes exactly as given (no line-end translation).
    std::string Write(const std::string& name, const std::string& bytes) const;
    // Writes lines joined by CR LF, each line ended.
    std::string WriteLines(const std::string& name, const std::vector<std::string>& lines) const;

  private:
    std::string path_;
};

std::string ReadBytes(const std::string& path);
// The names of the files in a folder, sorted.
std::vector<std::string> ListFolder(const std::string& path);
// Folder of the built programs (beside the sample data), from the test environment.
std::string ProgramDir();
std::string SourceDir();

}  // namespace chimeset::testing
