#include "tests/support/TempDir.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "common/NativeFile.h"

namespace chimeset::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
#ifdef _WIN32
    // No mkdtemp: a folder of a random name, made only when no other has that name.
    std::random_device random;
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("chimeset-test-" + std::to_string(random() % 1000000));
        std::error_code ec;
        if (fs::create_directory(candidate, ec)) path_ = NativeOf(candidate);
    }
    if (path_.empty()) throw std::runtime_error("cannot make a temporary folder");
#else
    std::string pattern = (fs::temp_directory_path() / "chimeset-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
#endif
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Make read-only folders made by a test removable again.
    for (auto it = fs::recursive_directory_iterator(FsPath(path_), ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::permissions(FsPath(path_), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(FsPath(path_), ignored);
}

std::string TempDir::File(const std::string& name) const {
    // A name given with "/" inside is laid out with the native separator.
    return NativeOf(FsPath(path_) / FsPath(name).make_preferred());
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = File(name);
    std::ofstream out(FsPath(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    return path;
}

std::string TempDir::WriteLines(const std::string& name,
                                const std::vector<std::string>& lines) const {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return Write(name, bytes);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(FsPath(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::string> ListFolder(const std::string& path) {
    std::vector<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(FsPath(path), ignored))
        names.push_back(NativeOf(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

std::string ProgramDir() {
    const char* dir = std::getenv("CHIMESET_PROGRAM_DIR");
    return dir ? dir : "";
}

std::string SourceDir() {
    const char* dir = std::getenv("CHIMESET_SOURCE_DIR");
    return dir ? dir : "";
}

}  // namespace chimeset::testing
