// The file handling of the core where Windows has its own calls: the atomic save, attributes,
// non-ASCII names and line ends.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/CodePage.h"
#include "common/NativeFile.h"
#include "common/TextFile.h"
#include "common/WindowsFileNames.h"
#include "tests/support/TempDir.h"

namespace chimeset {
namespace {

using testing::ListFolder;
using testing::ReadBytes;
using testing::TempDir;

DWORD Attributes(const std::string& path) {
    return ::GetFileAttributesW(WidePath(path).c_str());
}

// The names in a folder as Windows holds them, in UTF-16.
std::vector<std::wstring> WideNames(const std::string& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((WidePath(folder) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

TEST(WindowsSave, ReplacesTheFileInOneStepAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir.Write("RINGER1.CBL", "old\r\n");
    FileError error;
    ASSERT_TRUE(WriteTextLines(path, {"new", "lines"}, error)) << error.Describe();
    EXPECT_EQ(ReadBytes(path), "new\r\nlines\r\n");
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"RINGER1.CBL"});

    // A log that is not there yet is made.
    ASSERT_TRUE(WriteTextLines(dir.File("RINGER2.CBL"), {"first"}, error));
    EXPECT_EQ(ReadBytes(dir.File("RINGER2.CBL")), "first\r\n");
}

TEST(WindowsSave, AReadOnlyFileIsRefusedAndStaysAsItWas) {
    TempDir dir;
    const std::string path = dir.Write("RINGER1.CBL", "old\r\n");
    ASSERT_TRUE(::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_READONLY));
    FileError error;
    EXPECT_FALSE(WriteTextLines(path, {"new"}, error));
    EXPECT_EQ(error.path.Native(), path);
    EXPECT_EQ(error.cause, "Access to the file was denied.");
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"RINGER1.CBL"});
    EXPECT_NE(Attributes(path) & FILE_ATTRIBUTE_READONLY, 0u);
    ::SetFileAttributesW(WidePath(path).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsSave, TheReplacedFileKeepsItsAttributes) {
    TempDir dir;
    const std::string path = dir.Write("RINGER1.CBL", "old\r\n");
    ASSERT_TRUE(::SetFileAttributesW(WidePath(path).c_str(),
                                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    FileError error;
    ASSERT_TRUE(WriteTextLines(path, {"new"}, error)) << error.Describe();
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_NE(Attributes(path) & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"RINGER1.CBL"});
}

TEST(WindowsSave, TakesAwayWhatInterruptedSavesLeftAndOnlyThat) {
    TempDir dir;
    const std::string path = dir.Write("RINGER1.CBL", "old\r\n");
    // A save cut off before its rename leaves its temporary file; letter case does not
    // matter to Windows, so a name in other case is the same file's.
    dir.Write("RINGER1.CBL.~save123456", "half");
    dir.Write("ringer1.cbl.~save42", "half");
    dir.Write("RINGER1.CBL.~save12x", "user's own");
    dir.Write("RINGER2.CBL.~save7", "another log's");
    FileError error;
    ASSERT_TRUE(WriteTextLines(path, {"new"}, error)) << error.Describe();
    EXPECT_EQ(
        ListFolder(dir.Path()),
        (std::vector<std::string>{"RINGER1.CBL", "RINGER1.CBL.~save12x", "RINGER2.CBL.~save7"}));
}

TEST(WindowsNames, NamesInTheCodePageAreTheSameFileWhateverTheSystemsCodePage) {
    TempDir dir;
    // "Café" and "€uro" in Windows-1252: é is 0xE9, the euro sign 0x80 (U+20AC).
    const std::string folder = JoinPath(dir.Path(), "Caf\xE9");
    ASSERT_EQ(::CreateDirectoryW(WidePath(folder).c_str(), nullptr), TRUE);
    const std::string path = JoinPath(folder, "\x80uro.CBL");
    FileError error;
    ASSERT_TRUE(WriteTextLines(path, {"Caf\xE9"}, error)) << error.Describe();
    EXPECT_EQ(WideNames(dir.Path()), std::vector<std::wstring>{L"Caf\u00E9"});
    EXPECT_EQ(WideNames(folder), std::vector<std::wstring>{L"\u20ACuro.CBL"});
    EXPECT_TRUE(FileExists(path));
    EXPECT_TRUE(IsRegularFile(path));
    EXPECT_TRUE(IsDirectory(folder));
    EXPECT_EQ(ListFolder(folder), std::vector<std::string>{"\x80uro.CBL"});

    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(path, lines, error)) << error.Describe();
    EXPECT_EQ(lines, std::vector<std::string>{"Caf\xE9"});
    // A missing file names itself in the same bytes.
    EXPECT_FALSE(ReadTextLines(JoinPath(folder, "Z\xFCrich.CBL"), lines, error));
    EXPECT_EQ(error.path.Native(), JoinPath(folder, "Z\xFCrich.CBL"));
    EXPECT_EQ(error.cause, "The file or folder does not exist.");

    // A name Windows-1252 cannot spell reads back with "?" in its place.
    EXPECT_EQ(NarrowPath(L"\u0141\u00F3d\u017A"),
              "?\xF3"
              "d?");
    EXPECT_EQ(NativeOf(FsPath("Caf\xE9")), "Caf\xE9");
}

TEST(WindowsText, LinesGoToDiskWithCrLfAndCodePageBytesUntranslated) {
    TempDir dir;
    const std::string path = dir.File("log.cbl");
    FileError error;
    // Bytes a text-mode stream would change (LF, Ctrl-Z) or a code page would re-encode.
    ASSERT_TRUE(WriteTextLines(path, {"Caf\xE9\\\x80", "", "end\x1A"}, error));
    EXPECT_EQ(ReadBytes(path), "Caf\xE9\\\x80\r\n\r\nend\x1A\r\n");
    std::vector<std::string> lines;
    ASSERT_TRUE(ReadTextLines(path, lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{"Caf\xE9\\\x80", "", "end\x1A"}));
    // The code page of the files is Windows-1252 on every machine, not the ANSI one.
    EXPECT_EQ(Windows1252ToUtf8("\x80\xE9"), "\xE2\x82\xAC\xC3\xA9");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC\xC3\xA9"), "\x80\xE9");
}

TEST(WindowsSave, NamesWindowsWouldMisreadAreRefusedAndNothingIsWritten) {
    TempDir dir;
    const std::vector<std::string> refused = {
        dir.File("CON.CBL"), dir.File("NUL"),      dir.File("com1.cbl"),
        dir.File("LOG."),    dir.File("RINGER1 "), dir.File(std::string(260, 'a') + ".CBL")};
    for (const std::string& path : refused) {
        FileError error;
        EXPECT_FALSE(WriteTextLines(path, {"record"}, error)) << path;
        EXPECT_EQ(error.path.Native(), path);
        EXPECT_FALSE(error.cause.empty());
    }
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
    // The longest path the plain calls take is still written.
    const std::string folder = dir.Path() + "\\";
    const std::string longest =
        folder + std::string(kWindowsMaxPath - folder.size() - 4, 'b') + ".CBL";
    FileError error;
    EXPECT_TRUE(WriteTextLines(longest, {"record"}, error)) << error.Describe();
}

// The resources the build puts into each Windows program and library (types 14 and 24 are
// the icon group and the manifest).
std::string ResourceText(const std::string& file, LPCWSTR type, LPCWSTR name) {
    const HMODULE module = ::LoadLibraryExW(
        WidePath(file).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string text;
    if (const HRSRC found = ::FindResourceW(module, name, type)) {
        const HGLOBAL loaded = ::LoadResource(module, found);
        text.assign(static_cast<const char*>(::LockResource(loaded)),
                    ::SizeofResource(module, found));
    }
    ::FreeLibrary(module);
    return text;
}

std::wstring VersionValue(const std::string& file, const wchar_t* name) {
    const std::wstring path = WidePath(file);
    DWORD ignored = 0;
    std::vector<char> data(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (data.empty() ||
        !::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
        return {};
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\080904E4\\") + name;
    if (!::VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length))
        return {};
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

TEST(WindowsResources, ProgramsCarryTheirVersionIconAndManifest) {
    const std::string program = JoinPath(testing::ProgramDir(), "chimedove.exe");
    const std::string library = JoinPath(testing::ProgramDir(), "CB2TB.dll");
    EXPECT_EQ(VersionValue(program, L"FileVersion"), L"2.0.5");
    EXPECT_EQ(VersionValue(program, L"OriginalFilename"), L"chimedove.exe");
    EXPECT_EQ(VersionValue(library, L"OriginalFilename"), L"CB2TB.dll");
    EXPECT_EQ(VersionValue(library, L"CompanyName"), L"Hollowmere");
    EXPECT_FALSE(ResourceText(program, MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(1)).empty());
    const std::string manifest = ResourceText(program, MAKEINTRESOURCEW(24), MAKEINTRESOURCEW(1));
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(manifest.find("asInvoker"), std::string::npos);
}

}  // namespace
}  // namespace chimeset
