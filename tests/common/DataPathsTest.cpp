// Where the programs look for their files, in a build tree and installed.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/DataPaths.h"
#include "common/TextFile.h"

using namespace chimeset;

#ifndef _WIN32
namespace {

// A file system of the names given, folders included.
struct Disk {
    std::set<std::string> present;
    bool operator()(const std::string& path) const { return present.count(path) > 0; }
};

}  // namespace

TEST(DataPaths, BuildTreeKeepsEverythingBesideTheProgram) {
    const Disk disk{{"/src/build/bin/DoveData.CB0", "/src/build/share/chimeset"}};
    const DataPaths paths = FindDataPaths("/src/build/bin", "/home/r/.local/share/H/C", disk);
    EXPECT_FALSE(paths.installed);
    EXPECT_EQ(paths.dataFolder, "/src/build/bin");
    EXPECT_EQ(paths.libraryFolder, "/src/build/bin");
    EXPECT_EQ(paths.installedDatabase, "/src/build/bin/DoveData.CB0");
    EXPECT_EQ(paths.database, "/src/build/bin/DoveData.CB0");
    EXPECT_EQ(paths.DatabaseFolder(), "/src/build/bin");
    EXPECT_EQ(paths.userDatabase, "/home/r/.local/share/H/C/DoveData.CB0");
    EXPECT_EQ(paths.HelpFolder("chimemove"), "/src/build/bin/help/chimemove");
    EXPECT_EQ(paths.DataFile("CrossRef.txt"), "/src/build/bin/CrossRef.txt");

    // A build tree whose database is missing is still a build tree: the program reports the
    // missing file rather than looking elsewhere.
    const DataPaths missing = FindDataPaths("/src/build/bin", "", Disk{});
    EXPECT_FALSE(missing.installed);
    EXPECT_EQ(missing.database, "/src/build/bin/DoveData.CB0");
    EXPECT_EQ(missing.userDatabase, "");
}

TEST(DataPaths, InstalledLayoutReadsUnderThePrefix) {
    Disk disk{
        {"/opt/cs/share/chimeset", "/opt/cs/share/chimeset/DoveData.CB0", "/opt/cs/lib/chimeset"}};
    const DataPaths paths = FindDataPaths("/opt/cs/bin/", "/home/r/data/", disk);
    EXPECT_TRUE(paths.installed);
    EXPECT_EQ(paths.programFolder, "/opt/cs/bin");
    EXPECT_EQ(paths.dataFolder, "/opt/cs/share/chimeset");
    EXPECT_EQ(paths.libraryFolder, "/opt/cs/lib/chimeset");
    EXPECT_EQ(paths.database, "/opt/cs/share/chimeset/DoveData.CB0");
    EXPECT_EQ(paths.HelpFolder("chimeset"), "/opt/cs/share/chimeset/help/chimeset");
    EXPECT_EQ(paths.DataFile("Chimeset.CB1"), "/opt/cs/share/chimeset/Chimeset.CB1");
    // Updates go to the user's folder, never under the prefix.
    EXPECT_EQ(paths.userDatabase, "/home/r/data/DoveData.CB0");

    // Once the user has a database of their own, it is the one read.
    disk.present.insert("/home/r/data/DoveData.CB0");
    const DataPaths updated = FindDataPaths("/opt/cs/bin", "/home/r/data", disk);
    EXPECT_EQ(updated.database, "/home/r/data/DoveData.CB0");
    EXPECT_EQ(updated.DatabaseFolder(), "/home/r/data");
    EXPECT_EQ(updated.installedDatabase, "/opt/cs/share/chimeset/DoveData.CB0");

    // Programs in /bin have the root folder as their prefix.
    const DataPaths root = FindDataPaths("/bin", "", Disk{{"/share/chimeset"}});
    EXPECT_TRUE(root.installed);
    EXPECT_EQ(root.dataFolder, "/share/chimeset");
    // Without PREFIX/lib/chimeset, the library is looked for beside the program.
    EXPECT_EQ(root.libraryFolder, "/bin");
}

TEST(DataPaths, UsersDatabaseIsReadInABuildTreeToo) {
    const Disk disk{{"/b/bin/DoveData.CB0", "/u/DoveData.CB0"}};
    const DataPaths paths = FindDataPaths("/b/bin", "/u", disk);
    EXPECT_FALSE(paths.installed);
    EXPECT_EQ(paths.database, "/u/DoveData.CB0");
    EXPECT_EQ(paths.installedDatabase, "/b/bin/DoveData.CB0");
}
#endif
