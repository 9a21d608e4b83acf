// Stand-ins for what the users rules reach outside themselves.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "common/TextFile.h"
#include "tests/support/FilePermissions.h"
#include "tests/support/TempDir.h"
#include "users/DocumentsFolderProvider.h"
#include "users/IdTableLibrary.h"
#include "users/LogDocument.h"
#include "users/ManageUsersView.h"

namespace chimeset::testing {

// Permission bits do not stop root.
inline bool PermissionsApply() {
    return FilePermissionsApply() && FolderPermissionsApply();
}

// A folder in which no file can be made: the temporary folder made read-only, or, for root,
// /proc.
inline std::string UnwritableFolder(const TempDir& dir) {
#ifdef _WIN32
    // No attribute makes a Windows folder refuse files; a folder that is not there does.
    return JoinPath(dir.Path(), "gone");
#endif
    if (!PermissionsApply()) return "/proc";
    ::chmod(dir.Path().c_str(), 0555);
    return dir.Path();
}

class FixedDocumentsFolder : public DocumentsFolderProvider {
  public:
    explicit FixedDocumentsFolder(std::string path = {}) : folder(std::move(path)) {}
    std::string DocumentsFolder() const override { return folder; }
    std::string folder;
};

// A table of a given range where index i translates to 1000 + i.
class FakeIdTable : public IdTableLibrary {
  public:
    bool Load(const std::string& path) override {
        loadedFrom = path;
        loaded = loadSucceeds;
        return loaded;
    }
    bool FindEntryPoints() override { return loaded && hasEntryPoints; }
    std::int32_t ConvertID(std::int32_t index) override {
        converted.push_back(index);
        return unknown.count(index) != 0 ? -1 : 1000 + index;
    }
    std::int32_t GetCBLRange() override {
        ++rangeCalls;
        return range;
    }
    void Release() override {
        if (loaded) ++releases;
        loaded = false;
    }

    bool loadSucceeds = true;
    bool hasEntryPoints = true;
    std::int32_t range = 100;
    bool loaded = false;
    int releases = 0;
    int rangeCalls = 0;
    std::string loadedFrom;
    std::vector<std::int32_t> converted;
    std::set<std::int32_t> unknown;  // indices within the range that ConvertID refuses
};

class RecordingView : public ManageUsersView {
  public:
    void AppendRow(const std::string& text) override { rows.push_back(text); }
    void DeleteRow(std::size_t row) override { rows.erase(rows.begin() + static_cast<long>(row)); }
    void SetEntryButtonsEnabled(bool enabled) override { buttonsEnabled = enabled; }
    void ClearSelection() override { ++selectionClears; }
    void ClearEntryFields() override { ++fieldClears; }

    std::vector<std::string> rows;
    bool buttonsEnabled = false;
    int selectionClears = 0;
    int fieldClears = 0;
};

class FakeLogDocument : public LogDocument {
  public:
    bool IsLogOpen() const override { return logOpen; }
    bool IsReadOnly() const override { return readOnly; }
    const std::string& GetPathName() const override { return path; }
    bool SaveModified() override {
        ++saveQuestions;
        return saveAllowed;
    }
    bool OpenLog(const std::string& openPath, std::string& pendingUserId) override {
        opened.push_back(openPath);
        pendingSeen.push_back(pendingUserId);
        readOnly = pendingUserId.empty();
        pendingUserId.clear();
        logOpen = opens;
        path = opens ? openPath : std::string();
        return opens;
    }

    bool logOpen = false;
    bool readOnly = false;
    bool saveAllowed = true;
    bool opens = true;
    int saveQuestions = 0;
    std::string path;
    std::vector<std::string> opened;
    std::vector<std::string> pendingSeen;
};

}  // namespace chimeset::testing
