// The user's tower database replaced from a download: all or nothing.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/TextFile.h"
#include "dove/TowerDataUpdate.h"
#include "tests/support/TempDir.h"

using namespace chimeset;
using chimeset::testing::ListFolder;
using chimeset::testing::ReadBytes;
using chimeset::testing::TempDir;

namespace {

const std::string kHeader = "TowerID,RingType,Place,Dedicn,County,NG,Lat,Long,Bells,Wt,TowerBase\n";

std::string Download(int rings) {
    std::string csv = kHeader;
    for (int i = 1; i <= rings; ++i) {
        csv += std::to_string(20000 + i) + ",Full-circle ring,Place " + std::to_string(i) +
               ",S Mary,Kent,TQ123456,51.2,0.5,6,800," + std::to_string(i) + "\n";
    }
    return csv + "30000,Chime,Elsewhere,S Anne,Kent,,,,8,100,\n";
}

// The old database, as it is on disk, and what else the folder holds.
struct Before {
    std::string bytes;
    std::vector<std::string> files;
};

class TowerDataUpdateTest : public ::testing::Test {
  protected:
    void SetUp() override {
        database = data.WriteLines(
            "DoveData.CB0", {std::string(kTowerFieldNames), "Old\\S Old\\Kent\\\\\\\\5\\1\\7"});
    }
    Before Snapshot() const { return {ReadBytes(database), ListFolder(data.Path())}; }
    void ExpectUntouched(const Before& before) const {
        EXPECT_EQ(ReadBytes(database), before.bytes);
        EXPECT_EQ(ListFolder(data.Path()), before.files);
    }

    TempDir downloads;
    TempDir data;
    std::string database;
};

}  // namespace

TEST_F(TowerDataUpdateTest, ReplacesTheDatabaseAndLoadsIt) {
    const std::string csv = downloads.Write("dove.csv", Download(3));
    const TowerDataUpdate update = UpdateTowerDatabase(csv, database);
    ASSERT_TRUE(update.ok) << update.error.Describe();
    EXPECT_EQ(update.database.GetDatabaseCount(), 3);
    EXPECT_EQ(update.database.FormatTowerName(2), "Place 3 - S Mary");
    EXPECT_EQ(update.database.FindByIndexNo(2), 1);
    EXPECT_EQ(update.summary.towersWritten, 3u);
    EXPECT_EQ(update.summary.SkippedCount(), 1u);

    // The file on disk is what chimedove writes, and loads as the update loaded it.
    std::vector<std::string> lines;
    DoveImportSummary summary;
    DoveImportError error;
    ASSERT_TRUE(ConvertDoveCsv(Download(3), {}, lines, summary, error));
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(ReadBytes(database), expected);
    EXPECT_EQ(ListFolder(data.Path()), std::vector<std::string>{"DoveData.CB0"});

    // The summary says what was written and skipped; with a log, where its visits are.
    const CChimesetDoc::DatabaseReplacement log{10, 2, 1};
    const std::vector<std::string> told = DescribeUpdate(update, "DB", &log);
    EXPECT_EQ(told.front(), "3 towers written to DB (4 rows read).");
    EXPECT_NE(std::find(told.begin(), told.end(), "       1 not a full-circle ring: Chime"),
              told.end());
    EXPECT_EQ(told[told.size() - 2],
              "2 of the open log's 10 visits are on towers that the new list lacks; the log "
              "keeps them as additional towers.");
    EXPECT_EQ(told.back(), "1 of those visits were on towers of the old list.");
    const CChimesetDoc::DatabaseReplacement allFound{4, 0, 0};
    EXPECT_EQ(DescribeUpdate(update, "DB", &allFound).back(),
              "Every one of the open log's 4 visits is on a tower of the new list.");
    EXPECT_EQ(told[told.size() - 3], "");
    EXPECT_EQ(DescribeUpdate(update, "DB", nullptr).size(), told.size() - 3);
}

TEST_F(TowerDataUpdateTest, MakesTheUsersDataFolderOnTheFirstUpdate) {
    const std::string folder = JoinPath(JoinPath(data.Path(), "Hollowmere"), "Chimeset");
    const std::string path = JoinPath(folder, "DoveData.CB0");
    const TowerDataUpdate update =
        UpdateTowerDatabase(downloads.Write("dove.csv", Download(2)), path);
    ASSERT_TRUE(update.ok) << update.error.Describe();
    EXPECT_TRUE(IsRegularFile(path));
    EXPECT_EQ(ListFolder(folder), std::vector<std::string>{"DoveData.CB0"});
}

TEST_F(TowerDataUpdateTest, RefusedDownloadsLeaveTheOldDatabaseByteForByte) {
    const Before before = Snapshot();
    const struct {
        const char* name;
        std::string csv;
        std::string message;
    } cases[] = {
        {"not a download", "Name,Town\nA,B\n",
         "dove.csv, line 1: The first line lacks the columns RingType, Place, Dedicn, County, NG, "
         "Lat, Long, Bells, Wt, TowerBase: this is not a Dove's Guide CSV download."},
        {"empty", "", "dove.csv: The file is empty."},
        {"short row", Download(2) + "1,Full-circle ring,X\n", "dove.csv, line 5: The row has"},
        {"cut off in a quoted field", Download(2) + "1,\"Full-circle", "dove.csv, line 5"},
        {"binary", std::string("TowerID\0x", 9), "dove.csv, line 1: The file holds binary data"},
        {"no towers", kHeader + "1,Chime,X,Y,Z,,,,6,5,1\n", "None of the 1 rows"},
    };
    for (const auto& c : cases) {
        const std::string csv = downloads.Write("dove.csv", c.csv);
        const TowerDataUpdate update = UpdateTowerDatabase(csv, database);
        EXPECT_FALSE(update.ok) << c.name;
        EXPECT_FALSE(update.stopped) << c.name;
        const std::string told = DescribeUpdateFailure(update);
        EXPECT_NE(told.find(c.message), std::string::npos) << c.name << ": " << told;
        EXPECT_NE(told.find("The tower database was not changed."), std::string::npos);
        ExpectUntouched(before);
    }

    // A download that is gone by the time it is read.
    const TowerDataUpdate vanished = UpdateTowerDatabase(downloads.File("gone.csv"), database);
    EXPECT_FALSE(vanished.ok);
    EXPECT_NE(vanished.error.Describe().find("gone.csv: Cannot read the file."), std::string::npos)
        << vanished.error.Describe();
    ExpectUntouched(before);
}

TEST_F(TowerDataUpdateTest, AFolderThatCannotBeWrittenLeavesTheOldDatabase) {
    const std::string csv = downloads.Write("dove.csv", Download(2));
    const Before before = Snapshot();

    // The data folder's name is taken by a file.
    const std::string blocked = data.Write("Chimeset", "not a folder");
    TowerDataUpdate update = UpdateTowerDatabase(csv, JoinPath(blocked, "DoveData.CB0"));
    EXPECT_FALSE(update.ok);
    EXPECT_NE(update.error.Describe().find("Cannot make the folder"), std::string::npos)
        << update.error.Describe();
    EXPECT_EQ(ReadBytes(blocked), "not a folder");

    // The database's own name is taken by a folder: nothing can be put in its place.
    const std::string folder = JoinPath(data.Path(), "Busy");
    std::filesystem::create_directories(JoinPath(folder, "DoveData.CB0"));
    update = UpdateTowerDatabase(csv, JoinPath(folder, "DoveData.CB0"));
    EXPECT_FALSE(update.ok);
    EXPECT_NE(update.error.Describe().find("Cannot write the file."), std::string::npos)
        << update.error.Describe();
    EXPECT_EQ(ListFolder(folder), std::vector<std::string>{"DoveData.CB0"});
    EXPECT_TRUE(IsDirectory(JoinPath(folder, "DoveData.CB0")));
    std::filesystem::remove_all(folder);
    std::filesystem::remove(blocked);
    ExpectUntouched(before);

#ifndef _WIN32
    // A disk that fills up halfway through the new file: files may grow no further than a
    // few kilobytes while the update writes.
    const std::string big = downloads.Write("big.csv", Download(400));
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit small{4096, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    update = UpdateTowerDatabase(big, database);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(update.ok);
    EXPECT_NE(update.error.Describe().find("Cannot write the file."), std::string::npos)
        << update.error.Describe();
    ExpectUntouched(before);

    if (::geteuid() != 0) {  // permissions do not bind root
        ::chmod(data.Path().c_str(), 0500);
        update = UpdateTowerDatabase(csv, database);
        ::chmod(data.Path().c_str(), 0700);
        EXPECT_FALSE(update.ok);
        EXPECT_NE(update.error.Describe().find("Cannot write the file."), std::string::npos);
        ExpectUntouched(before);
    }
#endif
}

TEST_F(TowerDataUpdateTest, ProgressIsToldAndCanStopTheUpdateBeforeItWrites) {
    const std::string csv = downloads.Write("dove.csv", Download(3000));
    const Before before = Snapshot();
    std::vector<UpdateStage> stages;
    std::size_t lastDone = 0;
    bool forward = true;
    TowerDataUpdate update = UpdateTowerDatabase(
        csv, database, [&](UpdateStage stage, std::size_t done, std::size_t total) {
            if (!stages.empty() && stage == stages.back() && stage == UpdateStage::kConverting)
                forward = forward && done > lastDone && done <= total;
            if (stages.empty() || stages.back() != stage) stages.push_back(stage);
            lastDone = done;
            return true;
        });
    ASSERT_TRUE(update.ok);
    EXPECT_TRUE(forward);
    EXPECT_EQ(stages, (std::vector<UpdateStage>{UpdateStage::kReading, UpdateStage::kConverting,
                                                UpdateStage::kWriting, UpdateStage::kLoading}));

    // Stopped halfway through the conversion, or just before the writing: nothing changes.
    for (const UpdateStage stopAt : {UpdateStage::kConverting, UpdateStage::kWriting}) {
        data.WriteLines("DoveData.CB0",
                        {std::string(kTowerFieldNames), "Old\\S Old\\Kent\\\\\\\\5\\1\\7"});
        update = UpdateTowerDatabase(
            csv, database, [stopAt](UpdateStage stage, std::size_t done, std::size_t) {
                return !(stage == stopAt && done >= 1000) &&
                       !(stage == stopAt && stopAt == UpdateStage::kWriting);
            });
        EXPECT_FALSE(update.ok);
        EXPECT_TRUE(update.stopped);
        ExpectUntouched(before);
    }
}

TEST_F(TowerDataUpdateTest, CurrentRealDownloadReplacesTheDatabase) {
    const char* shared = std::getenv("CHIMESET_SHARED_DATA");
    const std::string csv = shared ? JoinPath(shared, "dove48.csv") : std::string();
    if (csv.empty() || !FileExists(csv))
        GTEST_SKIP() << "no current Dove's Guide download beside the project";
    const TowerDataUpdate update = UpdateTowerDatabase(csv, database);
    ASSERT_TRUE(update.ok) << update.error.Describe();
    EXPECT_EQ(update.summary.rowsRead, 15633u);
    EXPECT_EQ(static_cast<std::size_t>(update.database.GetDatabaseCount()),
              update.summary.towersWritten);
    TowerDatabase reloaded;
    ASSERT_TRUE(reloaded.LoadFile(database).ok);
    EXPECT_EQ(reloaded.GetDatabaseCount(), update.database.GetDatabaseCount());
}
