#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/TextFile.h"
#include "tests/support/TempDir.h"

using namespace chimeset;
using chimeset::testing::ReadBytes;
using chimeset::testing::TempDir;

TEST(ReadTextLines, AcceptsCrLfAndLfAndAnUnendedLastLine) {
    TempDir dir;
    std::vector<std::string> lines;
    FileError error;
    ASSERT_TRUE(ReadTextLines(dir.Write("a.txt", "one\r\ntwo\nthree"), lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));
    ASSERT_TRUE(ReadTextLines(dir.Write("b.txt", "one\r\n\r\n"), lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", ""}));
    ASSERT_TRUE(ReadTextLines(dir.Write("c.txt", ""), lines, error));
    EXPECT_TRUE(lines.empty());
    // A lone CR is not a line end; bytes >= 0x80 and NUL pass through unchanged.
    ASSERT_TRUE(ReadTextLines(dir.Write("d.txt", std::string("a\rb\0\xE9\n", 6)), lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{std::string("a\rb\0\xE9", 5)}));
}

TEST(ReadTextLinesAnyLineEnd, CrLfLfAndALoneCrEachEndOneLine) {
    TempDir dir;
    std::vector<std::string> lines;
    FileError error;
    ASSERT_TRUE(
        ReadTextLinesAnyLineEnd(dir.Write("a.txt", "one\rtwo\r\nthree\nfour"), lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four"}));
    // LF CR is two line ends, CR CR too; the last line end makes no empty line.
    ASSERT_TRUE(ReadTextLinesAnyLineEnd(dir.Write("b.txt", "a\n\rb\r\r"), lines, error));
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b", ""}));
    ASSERT_TRUE(ReadTextLinesAnyLineEnd(dir.Write("c.txt", "\r"), lines, error));
    EXPECT_EQ(lines, std::vector<std::string>{""});
    ASSERT_TRUE(ReadTextLinesAnyLineEnd(dir.Write("d.txt", ""), lines, error));
    EXPECT_TRUE(lines.empty());
    ASSERT_TRUE(
        ReadTextLinesAnyLineEnd(dir.Write("e.txt", std::string("\0\xE9\r", 3)), lines, error));
    EXPECT_EQ(lines, std::vector<std::string>{std::string("\0\xE9", 2)});

    EXPECT_FALSE(ReadTextLinesAnyLineEnd(dir.File("missing.txt"), lines, error));
    EXPECT_EQ(error.path, dir.File("missing.txt"));
    EXPECT_TRUE(lines.empty());
}

TEST(ReadTextLines, MissingFileAndFolderAreFileErrors) {
    TempDir dir;
    std::vector<std::string> lines;
    FileError error;
    EXPECT_FALSE(ReadTextLines(dir.File("missing.txt"), lines, error));
    EXPECT_EQ(error.path, dir.File("missing.txt"));
    EXPECT_FALSE(error.cause.empty());
    EXPECT_FALSE(ReadTextLines(dir.Path(), lines, error));
    EXPECT_FALSE(error.cause.empty());
}

TEST(AtomicTextWriter, WritesCrLfAndReplacesOnlyOnCommit) {
    TempDir dir;
    const std::string path = dir.Write("log.cbl", "old contents");
    {
        AtomicTextWriter writer(path);
        FileError error;
        ASSERT_TRUE(writer.Open(error));
        writer.WriteLine("new");
        // Not committed: the old file stands and no temporary file is left.
    }
    EXPECT_EQ(ReadBytes(path), "old contents");
    EXPECT_EQ(chimeset::testing::ListFolder(dir.Path()), std::vector<std::string>{"log.cbl"});

    FileError error;
    ASSERT_TRUE(WriteTextLines(path, {"a\\b", ""}, error));
    EXPECT_EQ(ReadBytes(path), "a\\b\r\n\r\n");
    EXPECT_EQ(chimeset::testing::ListFolder(dir.Path()), std::vector<std::string>{"log.cbl"});
}

TEST(AtomicTextWriter, FailureInAReadOnlyFolderLeavesTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const std::string path = dir.Write("log.cbl", "old");
    ::chmod(dir.Path().c_str(), 0500);
    FileError error;
    EXPECT_FALSE(WriteTextLines(path, {"new"}, error));
    EXPECT_FALSE(error.cause.empty());
    ::chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST(AtomicTextWriter, AFolderInTheWayIsAnError) {
    TempDir dir;
    FileError error;
    EXPECT_FALSE(WriteTextLines(dir.Path(), {"x"}, error));
}

TEST(Paths, FolderAndFileName) {
    EXPECT_EQ(FolderOf("/a/b/c.cbl"), "/a/b");
    EXPECT_EQ(FileNameOf("/a/b/c.cbl"), "c.cbl");
    EXPECT_EQ(FolderOf("c.cbl"), "");
    EXPECT_EQ(FileNameOf("c.cbl"), "c.cbl");
}

TEST(AtomicTextWriter, AWriteProtectedFileIsNotReplacedAndPermissionsAreKept) {
    TempDir dir;
    const std::string path = dir.Write("log.cbl", "old");
    ::chmod(path.c_str(), 0444);
    FileError error;
    EXPECT_FALSE(WriteTextLines(path, {"new"}, error));
    EXPECT_EQ(error.path, path);
    EXPECT_FALSE(error.cause.empty());
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(chimeset::testing::ListFolder(dir.Path()), std::vector<std::string>{"log.cbl"});

    // A private log stays private when it is replaced.
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(WriteTextLines(path, {"new"}, error));
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}
