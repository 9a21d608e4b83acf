// A document over a small database and log, for the printing, clipboard and search tests.
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
#include "visits/CommentCodec.h"

namespace chimeset::testing {

inline const std::string kOutDoveHeader(kTowerFieldNames);
inline const std::string kOutLogHeader(kVersion2Header);

// A log record line: the tower's fields as the database has them, then the entry.
inline std::string LogRecord(const std::string& towerLine, PackedDate visit, PackedDate quarter,
                             PackedDate peal, const std::string& comment = {}) {
    return towerLine + "\\" + std::to_string(visit) + "\\" + std::to_string(quarter) + "\\" +
           std::to_string(peal) + "\\" + EncodeComment(comment);
}

class OutputFixture : public ::testing::Test {
  protected:
    // Towers in file order: 0 Zeal, 1 Aston, 2 Bray, 3 Hampton Lucy, 4 \xC9vreux (E acute).
    const std::vector<std::string> towers{
        "Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260\\101",
        "Aston\\St Peter & St Paul\\Warks\\SP081895\\52.5\\-1.9\\8\\2000\\102",
        "Bray\\St Michael\\Berks\\SU 12345\\51.5\\-0.7\\8\\1500\\103",
        "Hampton Lucy\\St Peter\\Warks\\SP257570\\52.2\\-1.6\\6\\900\\104",
        "\xC9vreux\\Notre Dame\\France\\\\49.0\\1.1\\5\\\\105"};

    void SetUp() override {
        std::vector<std::string> lines{kOutDoveHeader};
        lines.insert(lines.end(), towers.begin(), towers.end());
        dir.WriteLines("DoveData.CB0", lines);
        settings.WriteString("Users", "RINGER1", "Ringer One");
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings, [] {
            return LocalDate{2026, 12, 7};
        });
        ASSERT_TRUE(doc->IsDatabaseLoaded());
    }

    // Visits to Zeal (with a quarter, a peal and a two-paragraph comment), Aston (no
    // quarter, peal only) and Hampton Lucy (unknown date, no comment).
    std::vector<std::string> StandardLog() const {
        return {kOutLogHeader,
                LogRecord(towers[0], MakePackedDate(7, 3, 2010), MakePackedDate(8, 3, 2010),
                          MakeYearOnlyDate(2011), "First line\r\n\r\nSecond line"),
                LogRecord(towers[1], MakePackedDate(1, 5, 2001, 2), 0, MakePackedDate(2, 5, 2001)),
                LogRecord(towers[3], kUnknownDate, 0, 0)};
    }

    bool OpenLog(const std::vector<std::string>& lines, std::string user = "RINGER1") {
        const std::string path = dir.WriteLines("RINGER1.CBL", lines);
        return doc->OpenLog(path, user);
    }

    // The list names in list order.
    std::vector<std::string> ListTexts() const {
        std::vector<std::string> texts;
        for (std::int32_t p = 0; p < doc->GetListCount(); ++p) texts.push_back(doc->GetListItem(p));
        return texts;
    }

    TempDir dir;
    FakePrompter prompter;
    MemorySettings settings;
    std::unique_ptr<CChimesetDoc> doc;
};

}  // namespace chimeset::testing
