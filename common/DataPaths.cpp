#include "common/DataPaths.h"

#include "common/TextFile.h"

namespace chimeset {
namespace {

constexpr const char* kDatabaseName = "DoveData.CB0";

bool IsSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == '/';
#endif
}

// "/usr/bin/" and "/usr/bin" alike, but never the root folder's own separator.
std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && IsSeparator(folder.back())) folder.pop_back();
    return folder;
}

// The folder above the program's: PREFIX of PREFIX/bin. The root folder for /bin.
std::string PrefixOf(const std::string& programFolder) {
    const std::string parent = FolderOf(programFolder);
    if (parent.empty() && !programFolder.empty() && IsSeparator(programFolder.front()))
        return programFolder.substr(0, 1);
    return parent;
}

std::string Under(const std::string& prefix, const char* first, const char* second) {
    const std::string base = !prefix.empty() && IsSeparator(prefix.back())
                                 ? prefix.substr(0, prefix.size() - 1)
                                 : prefix;
    return JoinPath(JoinPath(base, first), second);
}

}  // namespace

DataPaths FindDataPaths(const std::string& programFolder, const std::string& userFolder,
                        const std::function<bool(const std::string&)>& exists) {
    DataPaths paths;
    paths.programFolder = WithoutTrailingSeparators(programFolder);
    paths.userFolder = userFolder.empty() ? std::string() : WithoutTrailingSeparators(userFolder);
    paths.dataFolder = paths.programFolder;
    paths.libraryFolder = paths.programFolder;

    // A build tree has the sample database beside the programs; an installed program has
    // none there, and its data folder under the prefix.
    const std::string prefix = PrefixOf(paths.programFolder);
    const std::string shared = Under(prefix, "share", "chimeset");
    if (!paths.programFolder.empty() && !exists(JoinPath(paths.programFolder, kDatabaseName)) &&
        exists(shared)) {
        paths.installed = true;
        paths.dataFolder = shared;
        // A library left beside the program serves when the prefix has no folder for it.
        const std::string libraries = Under(prefix, "lib", "chimeset");
        if (exists(libraries)) paths.libraryFolder = libraries;
    }

    paths.installedDatabase = JoinPath(paths.dataFolder, kDatabaseName);
    paths.database = paths.installedDatabase;
    if (!paths.userFolder.empty()) {
        paths.userDatabase = JoinPath(paths.userFolder, kDatabaseName);
        if (exists(paths.userDatabase)) paths.database = paths.userDatabase;
    }
    return paths;
}

std::string DataPaths::DatabaseFolder() const {
    return FolderOf(database);
}

std::string DataPaths::HelpFolder(const std::string& program) const {
    return JoinPath(JoinPath(dataFolder, "help"), program);
}

std::string DataPaths::DataFile(const std::string& name) const {
    return JoinPath(dataFolder, name);
}

}  // namespace chimeset
