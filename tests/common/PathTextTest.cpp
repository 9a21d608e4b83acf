#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <type_traits>

#include "common/FileError.h"
#include "common/PathText.h"
#include "common/Prompter.h"
#include "common/TextFile.h"
#include "tests/support/TempDir.h"

using namespace chimeset;
using chimeset::testing::ListFolder;
using chimeset::testing::TempDir;

// Text and paths are both strings underneath; neither may stand for the other unasked.
static_assert(!std::is_convertible_v<std::string, NativePath>);
static_assert(!std::is_convertible_v<const char*, NativePath>);
static_assert(!std::is_convertible_v<NativePath, std::string>);
static_assert(!std::is_assignable_v<decltype(FileError::path)&, std::string>);
static_assert(!std::is_assignable_v<decltype(FileDialogRequest::initialPath)&, std::string>);

TEST(NativePath, TextWithAnAccentBecomesTheFileSystemsSpellingAndBack) {
    const NativePath path = NativePath::FromText("/home/ringer/Caf\xE9");
#ifdef _WIN32
    EXPECT_EQ(path.Native(), "/home/ringer/Caf\xE9");
#else
    EXPECT_EQ(path.Native(), "/home/ringer/Caf\xC3\xA9");
#endif
    EXPECT_EQ(path.Text(), "/home/ringer/Caf\xE9");
    EXPECT_EQ(NativePath::FromText(path.Text()), path);
    EXPECT_EQ(NativePath(path.Native()), path);
    EXPECT_NE(NativePath("/home/ringer/Cafe"), path);

    EXPECT_TRUE(NativePath().empty());
    EXPECT_TRUE(NativePath::FromText("").empty());
    EXPECT_EQ(NativePath::FromText("C:\\Logs\\RINGER1.CBL").Text(), "C:\\Logs\\RINGER1.CBL");
}

TEST(NativePath, AFolderNamedFromTextIsTheOneOnDiskAndErrorsNameItInItsOwnBytes) {
    TempDir dir;
    const NativePath folder =
        NativePath::FromText(JoinPath(TextFromNativePath(dir.Path()), "Caf\xE9"));
    ASSERT_TRUE(std::filesystem::create_directory(folder.Native()));
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{NativePathFromText("Caf\xE9")});
    EXPECT_TRUE(IsDirectory(folder.Native()));

    // A file that is not there: the error holds the path as the file system spells it.
    std::string content;
    FileError error;
    const std::string missing = JoinPath(folder.Native(), "RINGER1.CBL");
    EXPECT_FALSE(ReadFileBytes(missing, content, error));
    EXPECT_EQ(error.path, NativePath(missing));
    EXPECT_EQ(error.path.Text(),
              JoinPath(JoinPath(TextFromNativePath(dir.Path()), "Caf\xE9"), "RINGER1.CBL"));
    EXPECT_EQ(error.Describe(), missing + "\r\n" + error.cause);
}
