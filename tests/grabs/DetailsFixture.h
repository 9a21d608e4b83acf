// A small database with the details columns, its distances as in the hand database (the
// same positions), worked out by hand: which towers each filter keeps, what the statistics
// count when unringable towers are left out, and what a waypoint says.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/FileFormats.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "visits/CChimesetDoc.h"

namespace chimeset::testing {

enum DetailsTower : std::int32_t {
    kDAlpha = 0,  // 52.00 -1.00, Devon; ringable, practice Tue, postcode; the origin
    kDBravo,      // 6.9 mi N, Devon; "u/r" but visited; remark with XML's own characters
    kDCharlie,    // 4.1 mi SE, Devon; ringable unknown; practice "Tue (2nd & 4th)"
    kDDelta,      // 8.5 mi E, Kent; "N", a Thursday practice naming Tuesday in brackets;
                  // a 10,000-character remark
    kDEcho,       // 0.7 mi N, Kent; ringable; practice by arrangement; a malformed postcode
    kDetailsDatabaseCount
};

inline std::string LongRemark() {
    std::string remark;
    while (remark.size() < 10000) remark += "Ring the bells gently please. ";
    return remark.substr(0, 10000);
}

inline std::vector<std::string> DetailsDatabaseLines() {
    return {std::string(kTowerFieldNames) + "\\" + std::string(kTowerDetailNames),
            "Alpha\\St Mary\\Devon\\\\52.0000\\-1.0000\\6\\1260\\101\\Y\\Tue\\Y\\N\\\\F#\\EX1 "
            "1AA\\www.alpha.org\\Anticlockwise.",
            "Bravo\\St Peter\\Devon\\\\52.1000\\-1.0000\\8\\2000\\102\\u/r\\\\\\\\\\\\EX2 "
            "2BB\\\\Bells cracked & <unsafe>",
            "Charlie\\St Paul\\Devon\\\\51.9500\\-0.9500\\3\\300\\103\\\\Tue (2nd & "
            "4th)\\\\\\\\\\\\\\",
            "Delta\\St John\\Kent\\\\52.0000\\-0.8000\\10\\3500\\104\\N\\Thu (alt with Tue at "
            "Ashby)\\\\\\\\\\\\\\" +
                LongRemark(),
            "Echo\\St Giles\\Kent\\\\52.0100\\-1.0000\\5\\500\\105\\yes\\PN: by "
            "arrangement\\\\\\\\\\not a postcode!!\\\\"};
}

// Alpha and Bravo visited (Bravo rung before it became unringable).
inline std::vector<std::string> DetailsLogLines() {
    const auto date = [](int d, int m, int y) { return std::to_string(MakePackedDate(d, m, y)); };
    return {std::string(kVersion2Header),
            "Alpha\\St Mary\\Devon\\\\\\\\6\\1260\\101\\" + date(1, 1, 2005) + "\\0\\0\\",
            "Bravo\\St Peter\\Devon\\\\\\\\8\\2000\\102\\" + date(2, 2, 2006) + "\\0\\0\\"};
}

class DetailsFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.WriteLines("DoveData.CB0", DetailsDatabaseLines());
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        ASSERT_TRUE(doc->IsDatabaseLoaded());
        ASSERT_EQ(doc->Database().GetDatabaseCount(), kDetailsDatabaseCount);
        ASSERT_TRUE(doc->Database().HasDetails());
    }

    void OpenLog() {
        std::string noUser;
        ASSERT_TRUE(doc->OpenLog(dir.WriteLines("DETAILS.CBL", DetailsLogLines()), noUser));
    }

    TempDir dir;
    FakePrompter prompter;
    MemorySettings settings;
    std::unique_ptr<CChimesetDoc> doc;
};

}  // namespace chimeset::testing
