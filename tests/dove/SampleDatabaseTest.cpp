#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <set>
#include <string>
#include <vector>

#include "common/Text.h"
#include "common/TextFile.h"
#include "tests/support/TempDir.h"
#include "towerdata/TowerDatabase.h"

using namespace chimeset;
using chimeset::testing::ProgramDir;
using chimeset::testing::ReadBytes;
using chimeset::testing::SourceDir;

namespace {

std::string SamplePath() {
    return JoinPath(SourceDir(), "resources/data/DoveData.CB0");
}

std::set<std::int32_t> TowerBaseNumbers() {
    std::vector<std::string> lines;
    FileError error;
    EXPECT_TRUE(ReadTextLines(JoinPath(SourceDir(), "idtable/CrossRef.txt"), lines, error));
    std::set<std::int32_t> numbers;
    for (std::size_t i = 1; i < lines.size(); ++i)
        numbers.insert(ParseNumber(GetField(lines[i], 1)));
    numbers.erase(0);
    return numbers;
}

}  // namespace

TEST(SampleDatabase, IsInventedDataThatLoadsSilentlyWithSoundFields) {
    std::vector<std::string> lines;
    FileError error;
    ASSERT_TRUE(ReadTextLines(SamplePath(), lines, error)) << error.Describe();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("; Invented sample data", 0), 0u) << lines[1];

    TowerDatabase db;
    const FileResult loaded = db.LoadFile(SamplePath());
    ASSERT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.notices.empty());
    const std::int32_t count = db.GetDatabaseCount();
    EXPECT_GE(count, 900);
    EXPECT_LE(count, 1100);

    // Identity numbers are distinct TowerBase numbers of the Version 1 table, so that a
    // converted Version 1 log finds its towers.
    const std::set<std::int32_t> known = TowerBaseNumbers();
    std::set<std::int32_t> seen;
    int withoutReference = 0;
    for (std::int32_t t = 0; t < count; ++t) {
        SCOPED_TRACE(db.FormatTowerName(t));
        EXPECT_TRUE(known.count(db.GetIndexNo(t)));
        EXPECT_TRUE(seen.insert(db.GetIndexNo(t)).second);
        const std::int32_t bells = ParseNumber(db.GetTowerField(t, kBells));
        const std::int32_t weight = ParseNumber(db.GetTowerField(t, kWt));
        EXPECT_TRUE(bells >= 3 && bells <= 12) << bells;
        EXPECT_TRUE(weight >= 200 && weight <= 6000) << weight;
        EXPECT_FALSE(db.GetTowerField(t, kLocn).empty());
        EXPECT_FALSE(db.GetTowerField(t, kCnty).empty());
        if (db.GetTowerField(t, kOS).empty()) {
            ++withoutReference;
        } else {
            EXPECT_NE(db.GetMapPoint(t), 0u) << db.GetTowerField(t, kOS);
        }
    }
    EXPECT_GE(withoutReference, 1);
    EXPECT_LE(withoutReference, 20);
}

TEST(SampleDatabase, GivesEveryTowerPlausibleDetails) {
    TowerDatabase db;
    ASSERT_TRUE(db.LoadFile(SamplePath()).ok);
    ASSERT_TRUE(db.HasDetails());
    const std::set<std::string> notes = {"A",  "A#", "Ab", "B", "Bb", "C", "C#", "D", "D#",
                                         "Db", "E",  "Eb", "F", "F#", "G", "G#", "Gb"};
    int unringable = 0, practising = 0, groundFloor = 0, withWebPage = 0, withoutScheme = 0;
    for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
        SCOPED_TRACE(db.FormatTowerName(t));
        const TowerDetails d = db.DetailsOf(t);
        // Every yes/no is known, as in a converted download.
        EXPECT_NE(d.ringable, DetailAnswer::kUnknown);
        EXPECT_NE(d.groundFloor, DetailAnswer::kUnknown);
        EXPECT_NE(d.toilet, DetailAnswer::kUnknown);
        EXPECT_NE(d.simulator, DetailAnswer::kUnknown);
        unringable += d.IsUnringable();
        groundFloor += d.groundFloor == DetailAnswer::kYes;
        if (!d.tenorNote.empty()) {
            EXPECT_TRUE(notes.count(d.tenorNote)) << d.tenorNote;
        }
        if (!d.practice.empty()) {
            ++practising;
            // A practice night names its day, unless it is by arrangement.
            bool named = false;
            for (int day = 0; day < 7; ++day)
                named = named || PracticeOnDay(d.practice, static_cast<Weekday>(day));
            EXPECT_TRUE(named || d.practice.rfind("PN:", 0) == 0) << d.practice;
            EXPECT_FALSE(d.IsUnringable());
        }
        if (!d.webPage.empty()) {
            ++withWebPage;
            // Invented pages lie on the domain kept for examples, so none leads anywhere real.
            EXPECT_NE(d.webPage.find("example.org"), std::string::npos) << d.webPage;
            EXPECT_FALSE(WebPageAddress(d.webPage).empty()) << d.webPage;
            withoutScheme += d.webPage.rfind("http", 0) != 0;
        }
        if (d.IsUnringable()) {
            EXPECT_NE(d.remarks.find("nringable"), std::string::npos);
        }
    }
    const std::int32_t count = db.GetDatabaseCount();
    EXPECT_GT(unringable, count / 20);
    EXPECT_LT(unringable, count / 4);
    EXPECT_GT(practising, count / 3);
    EXPECT_GT(groundFloor, count / 5);
    EXPECT_GT(withWebPage, count / 5);
    EXPECT_GT(withoutScheme, 0);
}

TEST(SampleDatabase, EveryTowerStandsOnTheLandOfTheMap) {
    const QImage map(QString::fromStdString(JoinPath(SourceDir(), "resources/map/britain.png")));
    ASSERT_FALSE(map.isNull());
    const std::set<QRgb> land = {qRgb(240, 240, 240), qRgb(200, 200, 200), qRgb(250, 214, 100)};
    TowerDatabase db;
    ASSERT_TRUE(db.LoadFile(SamplePath()).ok);
    for (std::int32_t t = 0; t < db.GetDatabaseCount(); ++t) {
        const MapPoint point = db.GetMapPoint(t);
        if (point == 0) continue;
        const int x = static_cast<int>((MapPointEasting(point) * 100 / 30 + 50) / 100) - 25;
        const int y = 300 - static_cast<int>((MapPointNorthing(point) * 100 / 30 + 50) / 100 + 5);
        ASSERT_TRUE(map.valid(x, y)) << db.FormatTowerName(t);
        EXPECT_TRUE(land.count(map.pixel(x, y) | 0xFF000000u))
            << db.FormatTowerName(t) << " at " << x << "," << y;
    }
}

TEST(SampleDatabase, LiesBesideTheBuiltPrograms) {
    const std::string installed = JoinPath(ProgramDir(), kDatabaseFileName);
    ASSERT_TRUE(FileExists(installed)) << installed;
    TowerDatabase db;
    const FileResult loaded = db.Load(ProgramDir());
    EXPECT_TRUE(loaded.ok);
    EXPECT_TRUE(loaded.notices.empty());
    EXPECT_GT(db.GetDatabaseCount(), 0);
    // A real database installed with `make dove` is left in place; otherwise it is the sample.
    const std::string bytes = ReadBytes(installed);
    if (bytes.find("; Invented sample data") != std::string::npos) {
        EXPECT_EQ(bytes, ReadBytes(SamplePath()));
    }
}
