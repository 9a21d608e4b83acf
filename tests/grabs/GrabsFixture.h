// A small database and log whose statistics and distances are worked out by hand.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "common/FileFormats.h"
#include "grabs/GrabsCommand.h"
#include "grabs/TowerPlaces.h"
#include "grabs/TowerVisits.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "visits/CChimesetDoc.h"

namespace chimeset::testing {

// Tower indexes of the database below.
enum HandTower : std::int32_t {
    kAlpha = 0,  // 52.00 -1.00, the place the distances are measured from
    kBravo,      // 0.1 degree north: 6.9 mi N
    kCharlie,    // 0.05 south and east: 4.1 mi SE
    kDelta,      // 0.2 degree east: 8.5 mi E; county with an accent
    kEcho,       // grid reference only, far away
    kFoxtrot,    // no position at all; two bells
    kGolf,       // 0.01 degree north; no county, no weight
    kHandDatabaseCount
};

inline std::vector<std::string> HandDatabaseLines() {
    return {std::string(kTowerFieldNames),
            "Alpha\\St Mary\\Devon\\\\52.0000\\-1.0000\\6\\1260\\101",
            "Bravo\\St Peter\\Devon\\\\52.1000\\-1.0000\\8\\2000\\102",
            "Charlie\\St Peter & St Paul\\Devon\\\\51.9500\\-0.9500\\3\\300\\103",
            "Delta\\St Paul\\Ynys M\xF4n\\\\52.0000\\-0.8000\\10\\3500\\104",
            "Echo\\St John\\Ynys M\xF4n\\SP000000\\\\\\12\\4000\\105",
            "Foxtrot\\St Giles\\Kent\\\\\\\\2\\100\\106",
            "Golf\\Holy Cross\\\\\\52.0100\\-1.0000\\5\\\\107"};
}

// Alpha twice (2005 and 2010), Bravo in a year only with a peal, Delta on an unknown date,
// Foxtrot's entry without a visit date (so no visit), and two additional towers.
inline std::vector<std::string> HandLogLines() {
    const auto date = [](int d, int m, int y) { return std::to_string(MakePackedDate(d, m, y)); };
    return {std::string(kVersion2Header),
            "Alpha\\St Mary\\Devon\\\\\\\\6\\1260\\101\\" + date(7, 3, 2010) + "\\" +
                date(7, 3, 2010) + "\\0\\",
            "Alpha\\St Mary\\Devon\\\\\\\\6\\1260\\101\\" + date(1, 1, 2005) + "\\0\\0\\",
            "Bravo\\St Peter\\Devon\\\\\\\\8\\2000\\102\\" +
                std::to_string(MakeYearOnlyDate(2010)) + "\\0\\" + date(5, 5, 2012) + "\\",
            "Delta\\St Paul\\\\\\\\\\10\\3500\\104\\1\\0\\0\\",
            "Foxtrot\\St Giles\\Kent\\\\\\\\2\\100\\106\\0\\" + date(1, 1, 2011) + "\\0\\",
            "Hotel\\St Anne\\\\\\\\\\4\\500\\999999\\" + date(2, 2, 2011) + "\\0\\0\\",
            "India\\St Luke\\Devon\\\\52.02\\-1.0\\6\\800\\999998\\" + date(3, 3, 2011) + "\\" +
                date(3, 3, 2011) + "\\0\\"};
}

// A command line of the statistics and exports, run on the test's day over the program folder,
// what it prints kept for the test to read.
inline int RunCommandLine(const std::vector<std::string>& arguments, const std::string& folder,
                          const SettingsStore& settings, std::ostringstream& out,
                          std::ostringstream& err) {
    out.str("");
    err.str("");
    return RunGrabsCommand(
        ParseGrabsCommand(arguments), folder, settings,
        [] {
            return LocalDate{2026, 12, 7};
        },
        out, err);
}

class GrabsFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.WriteLines("DoveData.CB0", HandDatabaseLines());
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        ASSERT_TRUE(doc->IsDatabaseLoaded());
    }

    // Opens the hand log read-only, as the command line does.
    void OpenHandLog() {
        std::string noUser;
        ASSERT_TRUE(doc->OpenLog(dir.WriteLines("HAND.CBL", HandLogLines()), noUser));
        ASSERT_EQ(doc->Database().GetAdditionalCount(), 2);
    }
    std::int32_t Tower(const char* location) const {
        for (std::int32_t t = 0; t < doc->Database().GetTowerCount(); ++t)
            if (doc->Database().GetTowerField(t, kLocn) == location) return t;
        return -1;
    }

    TempDir dir;
    FakePrompter prompter;
    MemorySettings settings;
    std::unique_ptr<CChimesetDoc> doc;
};

}  // namespace chimeset::testing
