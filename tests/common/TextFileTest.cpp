#include <gtest/gtest.h>
#include <sys/stat.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>

#include "common/TextFile.h"
#include "tests/support/FilePermissions.h"
#include "tests/support/TempDir.h"

using namespace chimeset;
using chimeset::testing::ListFolder;
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
    EXPECT_EQ(error.path.Native(), dir.File("missing.txt"));
    EXPECT_TRUE(lines.empty());
}

TEST(ReadTextLines, MissingFileAndFolderAreFileErrors) {
    TempDir dir;
    std::vector<std::string> lines;
    FileError error;
    EXPECT_FALSE(ReadTextLines(dir.File("missing.txt"), lines, error));
    EXPECT_EQ(error.path.Native(), dir.File("missing.txt"));
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
    if (!chimeset::testing::FolderPermissionsApply())
        GTEST_SKIP() << "folder permissions do not bind";
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
    EXPECT_EQ(error.path.Native(), path);
    EXPECT_FALSE(error.cause.empty());
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(chimeset::testing::ListFolder(dir.Path()), std::vector<std::string>{"log.cbl"});

    // A private log stays private when it is replaced (Windows keeps attributes instead).
    ::chmod(path.c_str(), 0600);
    ASSERT_TRUE(WriteTextLines(path, {"new"}, error));
    EXPECT_EQ(ReadBytes(path), "new\r\n");
#ifndef _WIN32
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
#endif
}

namespace {

namespace fs = std::filesystem;

bool IsLink(const std::string& path) {
    return fs::is_symlink(fs::symlink_status(path));
}

}  // namespace

TEST(AtomicTextWriter, SavesThroughSymbolicLinksIntoTheTargetsFolder) {
    if (!chimeset::testing::SymbolicLinksWork()) GTEST_SKIP() << "no symbolic links";
    TempDir dir;
    fs::create_directory(dir.File("data"));
    fs::create_directory(dir.File("sync"));
    const std::string target = dir.Write("sync/log.cbl", "old");
    // A relative link, and a chain of two links ending in it.
    fs::create_symlink("../sync/log.cbl", dir.File("data/log.cbl"));
    fs::create_symlink("log.cbl", dir.File("data/chain.cbl"));
    FileError error;
    ASSERT_TRUE(WriteTextLines(dir.File("data/log.cbl"), {"one"}, error));
    EXPECT_TRUE(IsLink(dir.File("data/log.cbl")));
    EXPECT_EQ(ReadBytes(target), "one\r\n");
    ASSERT_TRUE(WriteTextLines(dir.File("data/chain.cbl"), {"two"}, error));
    EXPECT_TRUE(IsLink(dir.File("data/chain.cbl")));
    EXPECT_TRUE(IsLink(dir.File("data/log.cbl")));
    EXPECT_EQ(ReadBytes(target), "two\r\n");
    // An absolute link to a file that is not there yet makes that file.
    fs::create_symlink(dir.File("sync/new.cbl"), dir.File("data/new.cbl"));
    ASSERT_TRUE(WriteTextLines(dir.File("data/new.cbl"), {"three"}, error));
    EXPECT_TRUE(IsLink(dir.File("data/new.cbl")));
    EXPECT_EQ(ReadBytes(dir.File("sync/new.cbl")), "three\r\n");
    EXPECT_EQ(ListFolder(dir.File("data")),
              (std::vector<std::string>{"chain.cbl", "log.cbl", "new.cbl"}));
    EXPECT_EQ(ListFolder(dir.File("sync")), (std::vector<std::string>{"log.cbl", "new.cbl"}));

    // Links that lead round in a circle are an error, and nothing is written.
    fs::create_symlink("b.cbl", dir.File("data/a.cbl"));
    fs::create_symlink("a.cbl", dir.File("data/b.cbl"));
    EXPECT_FALSE(WriteTextLines(dir.File("data/a.cbl"), {"four"}, error));
    EXPECT_EQ(error.path.Native(), dir.File("data/a.cbl"));
    EXPECT_FALSE(error.cause.empty());
    EXPECT_TRUE(IsLink(dir.File("data/a.cbl")));
    EXPECT_EQ(ListFolder(dir.File("data")).size(), 5u);
}

#ifndef _WIN32
TEST(AtomicTextWriter, ASaveRemovesWhatInterruptedSavesOfTheSameFileLeft) {
    TempDir dir;
    const std::string path = dir.Write("log.cbl", "old");
    // Saves killed before their rename: each leaves its temporary file, and each takes away
    // what the one before it left.
    for (int i = 0; i < 3; ++i) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            auto* writer = new AtomicTextWriter(path);
            FileError error;
            if (!writer->Open(error)) ::_exit(1);
            writer->WriteLine("half");
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(ListFolder(dir.Path()).size(), 2u);
    }
    EXPECT_EQ(ReadBytes(path), "old");
    // Files that only look alike are not the writer's own and stay.
    // A user's own "log.cbl.tmp5" is no file of the writer's either.
    const std::vector<std::string> others{
        "log.cbl.~save",    "log.cbl.~save1234567", "log.cbl.~save12x", "log.cbl.~save5.bak",
        "other.cbl.~save5", "xlog.cbl.~save5",      "log.cbl.tmp5"};
    for (const auto& name : others) dir.Write(name, "keep");
    fs::create_directory(dir.File("log.cbl.~save77"));

    FileError error;
    ASSERT_TRUE(WriteTextLines(path, {"new"}, error));
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    std::vector<std::string> expected = others;
    expected.push_back("log.cbl");
    expected.push_back("log.cbl.~save77");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ListFolder(dir.Path()), expected);
}
#endif

TEST(AtomicTextWriter, AFileThatCannotBeMadeInItsFolderNamesTheFolder) {
    TempDir dir;
    FileError error;
    EXPECT_FALSE(WriteTextLines(dir.File("none/log.cbl"), {"x"}, error));
    EXPECT_EQ(error.path.Native(), dir.File("none"));
    EXPECT_EQ(error.cause, "The folder does not exist.");

    if (!chimeset::testing::FolderPermissionsApply())
        GTEST_SKIP() << "folder permissions do not bind";
    const std::string path = dir.Write("log.cbl", "old");
    ::chmod(dir.Path().c_str(), 0500);
    EXPECT_FALSE(WriteTextLines(path, {"new"}, error));
    ::chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(error.path.Native(), dir.Path());
    EXPECT_EQ(error.cause, "Access to the folder was denied.");
    EXPECT_EQ(ReadBytes(path), "old");
}
