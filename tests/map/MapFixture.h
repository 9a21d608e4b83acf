// A tower database of known places (and impossible ones) in a temporary program folder, with
// a log that visited, quartered and pealed some of them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/FileFormats.h"
#include "map/MapTowers.h"
#include "map/qt/MapResource.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "visits/CChimesetDoc.h"
#include "visits/PackedDate.h"

namespace chimeset::testing {

// Towers in file order, identity numbers 2001 on:
//  0 London (visited)  1 Dublin (pealed)  2 Douglas (quartered)  3 St Peter Port
//  4 Exeter, grid reference only (visited)  5 latitude 0  6 latitude 95  7 text
//  8 Sydney  9 no position at all  10 Norwich (not visited)
inline void WriteMapDatabase(const TempDir& dir) {
    const std::string header(kTowerFieldNames);
    dir.WriteLines(
        "DoveData.CB0",
        {header,
         "; Tower data from Dove's Guide for Church Bell Ringers, (c) the Central "
         "Council of Church Bell Ringers, licensed CC BY-SA 4.0 (https://dove.cccbr.org.uk)",
         "London\\St Paul\\Greater London\\TQ320811\\51.5138\\-0.0984\\12\\6200\\2001",
         "Dublin\\Christ Church\\Dublin\\\\53.3435\\-6.2710\\19\\5800\\2002",
         "Douglas\\St George\\Isle of Man\\\\54.1530\\-4.4830\\8\\900\\2003",
         "St Peter Port\\Town Church\\Guernsey\\\\49.4558\\-2.5400\\8\\1200\\2004",
         "Exeter\\Cathedral\\Devon\\SX921925\\\\\\12\\8000\\2005",
         "Nowhere\\St Zero\\Nowhere\\\\0\\-1.5\\6\\500\\2006",
         "Pole\\St Ninety\\Nowhere\\\\95\\-1.5\\6\\500\\2007",
         "Words\\St Text\\Nowhere\\\\north\\west\\6\\500\\2008",
         "Sydney\\St Andrew\\NSW\\\\-33.8731\\151.2061\\8\\1000\\2009",
         "Blank\\St None\\Nowhere\\\\\\\\6\\500\\2010",
         "Norwich\\St Peter Mancroft\\Norfolk\\TG229084\\52.6280\\1.2920\\12\\4100\\2011"});
}

inline PackedDate Date(int year, int month, int day) {
    return day * 32 + month * 1024 + year * 16384;
}

class MapFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        WriteMapDatabase(dir);
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        ASSERT_TRUE(doc->IsDatabaseLoaded());
        ASSERT_TRUE(BuiltInMap().IsLoaded()) << BuiltInMap().Error();
    }

    // Opens the log read-only: London visited, Dublin pealed, Douglas quartered, Exeter visited.
    void OpenLog() {
        const std::string header(kVersion2Header);
        const auto line = [&](int tower, PackedDate v, PackedDate q, PackedDate p) {
            std::string fields;
            for (int f = 0; f < kTowerFieldCount; ++f)
                fields += doc->Database().GetTowerField(tower, f) + "\\";
            return fields + std::to_string(v) + "\\" + std::to_string(q) + "\\" +
                   std::to_string(p) + "\\";
        };
        logPath = dir.WriteLines("RINGER1.CBL", {header, line(0, Date(2020, 1, 2), 0, 0),
                                                 line(1, Date(2019, 3, 4), 0, Date(2019, 3, 4)),
                                                 line(2, Date(2018, 5, 6), Date(2018, 5, 6), 0),
                                                 line(4, Date(2017, 7, 8), 0, 0)});
        std::string user = "RINGER1";
        settings.WriteString("Users", "RINGER1", "Ringer One");
        ASSERT_TRUE(doc->OpenLog(logPath, user));
    }

    TempDir dir;
    FakePrompter prompter;
    MemorySettings settings;
    std::string logPath;
    std::unique_ptr<CChimesetDoc> doc;
};

}  // namespace chimeset::testing
