// A document over a small database in a temporary program folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "common/FileFormats.h"
#include "tests/support/FakePrompter.h"
#include "tests/support/MemorySettings.h"
#include "tests/support/TempDir.h"
#include "visits/CChimesetDoc.h"

namespace chimeset::testing {

inline const std::string kDoveHeader(kTowerFieldNames);
inline const std::string kLogHeader(kVersion2Header);

class RecordingListener : public DocumentListener {
  public:
    void OnDocumentUpdate(UpdateHint hint) override { hints.push_back(hint); }
    std::vector<UpdateHint> hints;
};

class DocFixture : public ::testing::Test {
  protected:
    // Towers: 0 Zeal, 1 Aston, 2 Bray, 3 aston (same name as 1 but lower case), 4 Ely.
    void SetUp() override {
        dir.WriteLines("DoveData.CB0",
                       {kDoveHeader, "Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260\\101",
                        "Aston\\St Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\2000\\102",
                        "Bray\\St Michael\\Berks\\SU 12345\\51.5\\-0.7\\8\\1500\\103",
                        "aston\\St Peter\\Warks\\\\\\\\5\\600\\104",
                        "Ely\\Cathedral\\Cambs\\TL540802\\52.4\\0.3\\5\\\\105"});
        settings.WriteString("Users", "RINGER1", "Ringer One");
        Reopen();
    }

    void Reopen() {
        doc = std::make_unique<CChimesetDoc>(dir.Path(), prompter, settings,
                                             [this] { return today; });
        doc->AddListener(&listener);
    }

    // Opens a log written from the lines, as the user RINGER1 (or read-only with "").
    bool OpenLog(const std::vector<std::string>& lines, std::string user = "RINGER1") {
        const std::string path = dir.WriteLines("RINGER1.CBL", lines);
        return doc->OpenLog(path, user);
    }

    // Selects the tower in the all-towers list.
    void SelectTower(std::int32_t tower) {
        doc->SetFilter(kFilterAllTowers);
        for (std::int32_t p = 0; p < doc->GetListCount(); ++p) {
            if (doc->ListItemTower(p) == tower) {
                doc->SelectListItem(p);
                return;
            }
        }
        FAIL() << "tower " << tower << " not listed";
    }

    // The list read item by item, checked against the towers of the list read at once, as the
    // window reads it.
    std::vector<std::string> ListTexts() const {
        std::vector<std::string> texts;
        const std::vector<std::int32_t> towers = doc->ListTowers();
        EXPECT_EQ(towers.size(), static_cast<std::size_t>(doc->GetListCount()));
        for (std::int32_t p = 0; p < doc->GetListCount(); ++p) {
            texts.push_back(doc->GetListItem(p));
            if (static_cast<std::size_t>(p) >= towers.size()) continue;
            const std::int32_t tower = towers[static_cast<std::size_t>(p)];
            EXPECT_EQ(tower < 0 ? std::string() : doc->Database().FormatTowerName(tower),
                      texts.back());
        }
        return texts;
    }

    TempDir dir;
    FakePrompter prompter;
    MemorySettings settings;
    RecordingListener listener;
    LocalDate today{2026, 12, 7};
    std::unique_ptr<CChimesetDoc> doc;
};

inline PackedDate Day(int d, int m, int y, int seq = 0) {
    return MakePackedDate(d, m, y, seq);
}

}  // namespace chimeset::testing
