// A new tower database put in place under an open log: every entry stays on its tower.
#include "tests/visits/DocFixture.h"

using namespace chimeset;
using namespace chimeset::testing;

namespace {

using DatabaseReplacement = DocFixture;

std::string Record(const std::string& tower, std::int32_t identity, PackedDate visit,
                   PackedDate quarter = 0, PackedDate peal = 0, const std::string& comment = "") {
    return tower + "\\" + std::to_string(identity) + "\\" + std::to_string(visit) + "\\" +
           std::to_string(quarter) + "\\" + std::to_string(peal) + "\\" + comment;
}

// The new list: Zeal renamed and moved down, Aston gone, 999 (an additional tower of the
// log) now listed, and a tower that is new.
TowerDatabase NewDatabase() {
    TowerDatabase database;
    const FileResult parsed = database.Parse(
        {kDoveHeader, "Bray\\St Michael\\Berkshire\\SU912790\\51.5\\-0.7\\8\\1500\\103",
         "Fenny\\St Margaret\\Bucks\\\\\\\\6\\700\\106",
         "Zeal Monachorum\\St Peter\\Devon\\SS719040\\50.8\\-3.8\\6\\1260\\101",
         "Upton\\All Saints\\Notts\\SK735545\\53.1\\-0.9\\6\\900\\999",
         "Ely\\Cathedral\\Cambs\\TL540802\\52.4\\0.3\\5\\\\105"});
    EXPECT_TRUE(parsed.ok);
    return database;
}

// What a log's entry is: its tower's identity and name and its records.
struct Entry {
    std::int32_t identity;
    std::string tower;
    PackedDate visit, quarter, peal;
    std::string comment;
    bool operator==(const Entry& o) const {
        return identity == o.identity && tower == o.tower && visit == o.visit &&
               quarter == o.quarter && peal == o.peal && comment == o.comment;
    }
};

std::vector<Entry> Entries(const CChimesetDoc& doc) {
    std::vector<Entry> entries;
    for (std::int32_t e = 0; e < doc.EntryCount(); ++e) {
        const std::int32_t tower = doc.TowerOfEntry(e);
        entries.push_back({doc.Database().GetIndexNo(tower), doc.Database().FormatTowerName(tower),
                           doc.VisitDateOf(e), doc.QuarterDateOf(e), doc.PealDateOf(e),
                           doc.CommentOf(e)});
    }
    return entries;
}

const std::vector<std::string> kLog = {
    kLogHeader,
    Record("Zeal\\St Mary\\Devon\\SX123456\\50.7\\-3.8\\6\\1260", 101, Day(3, 4, 2005),
           Day(3, 4, 2005), 0, "R3JlYXQ="),
    Record("Aston\\St Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\2000", 102, Day(1, 2, 2010)),
    Record("Bray\\St Michael\\Berks\\SU 12345\\51.5\\-0.7\\8\\1500", 103, Day(9, 9, 1999), 0,
           Day(9, 9, 1999)),
    // A tower of the user's own, and two visits to a tower of a number the database lacks.
    Record("Newtown\\St Luke\\Powys\\\\\\\\4\\300", 20261208, kUnknownDate),
    Record("Upton\\All Saints\\Notts\\\\\\\\6\\900", 999, Day(5, 5, 2020)),
    Record("Upton\\All Saints\\Notts\\\\\\\\6\\900", 999, Day(6, 5, 2020)),
    // No visit, only a quarter peal: kept while the log is open, never saved.
    Record("Ely\\Cathedral\\Cambs\\TL540802\\52.4\\0.3\\5\\", 105, 0, Day(1, 1, 2001)),
};

}  // namespace

TEST_F(DatabaseReplacement, EveryEntryKeepsItsTowerAndRecords) {
    ASSERT_TRUE(OpenLog(kLog));
    const std::vector<Entry> before = Entries(*doc);
    listener.hints.clear();

    const CChimesetDoc::DatabaseReplacement carried = doc->ReplaceDatabase(NewDatabase());

    EXPECT_TRUE(doc->IsLogOpen());
    EXPECT_FALSE(doc->IsReadOnly());
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->UserName(), "Ringer One");
    EXPECT_EQ(listener.hints, std::vector<UpdateHint>{kHintContentsChanged});
    EXPECT_EQ(doc->Database().GetDatabaseCount(), 5);
    EXPECT_EQ(carried.entries, 6);  // Ely's entry has no visit
    // Aston, which the new list lacks, and the user's own tower.
    EXPECT_EQ(carried.onAdditional, 2);
    EXPECT_EQ(carried.leftDatabase, 1);

    const std::vector<Entry> after = Entries(*doc);
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t e = 0; e < after.size(); ++e) {
        EXPECT_EQ(after[e].identity, before[e].identity) << e;
        EXPECT_EQ(after[e].visit, before[e].visit) << e;
        EXPECT_EQ(after[e].quarter, before[e].quarter) << e;
        EXPECT_EQ(after[e].peal, before[e].peal) << e;
        EXPECT_EQ(after[e].comment, before[e].comment) << e;
    }
    // Database towers show the new list's fields; a tower it lacks keeps the old ones.
    EXPECT_EQ(after[0].tower, "Zeal Monachorum - St Peter");
    EXPECT_EQ(after[1].tower, "Aston - St Peter");
    EXPECT_GE(doc->TowerOfEntry(1), doc->Database().GetDatabaseCount());
    EXPECT_EQ(doc->Database().GetTowerField(doc->TowerOfEntry(1), kOS), "SP081895");
    EXPECT_EQ(after[3].tower, "Newtown - St Luke");
    // The tower the log carried itself is a database tower now, both visits on it.
    EXPECT_EQ(doc->TowerOfEntry(4), 3);
    EXPECT_EQ(doc->TowerOfEntry(5), 3);
    EXPECT_EQ(doc->Database().GetAdditionalCount(), 2);

    // The lists show the new towers with the carried ones.
    doc->SetFilter(kFilterAllTowers);
    EXPECT_EQ(ListTexts(),
              (std::vector<std::string>{"Aston - St Peter", "Bray - St Michael", "Ely - Cathedral",
                                        "Fenny - St Margaret", "Newtown - St Luke",
                                        "Upton - All Saints", "Zeal Monachorum - St Peter"}));
    doc->SetFilter(kFilterVisited);
    EXPECT_EQ(doc->GetListCount(), 6);
}

// The replacement is what saving the log and opening it again over the new list gives.
TEST_F(DatabaseReplacement, SameAsReopeningTheLogOverTheNewList) {
    ASSERT_TRUE(OpenLog(kLog));
    doc->ReplaceDatabase(NewDatabase());
    const std::vector<std::string> replaced = doc->LogLines();

    CChimesetDoc reopened(NewDatabase(), prompter, settings, [this] { return today; });
    std::string user = "RINGER1";
    ASSERT_TRUE(reopened.OpenLog(dir.File("RINGER1.CBL"), user));
    EXPECT_EQ(replaced, reopened.LogLines());
    EXPECT_EQ(Entries(*doc).size(), Entries(reopened).size());
}

TEST_F(DatabaseReplacement, UnsavedChangesAndTheSelectionStay) {
    ASSERT_TRUE(OpenLog(kLog));
    SelectTower(4);  // Ely, whose entry has no visit
    doc->UpdateComment("rung from the ground floor");
    ASSERT_TRUE(doc->IsModified());
    const std::int32_t entry = doc->CurrentEntry();

    doc->ReplaceDatabase(NewDatabase());
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->CurrentTower(), 4);  // Ely is the fifth tower of the new list too
    EXPECT_EQ(doc->CurrentEntry(), entry);
    EXPECT_EQ(doc->EntryComment(), "rung from the ground floor");

    // A selected tower of no entry that the new list lacks is no longer selected.
    Reopen();
    ASSERT_TRUE(OpenLog(kLog));
    SelectTower(3);  // "aston", tower 104
    ASSERT_EQ(doc->CurrentEntry(), -1);
    doc->ReplaceDatabase(NewDatabase());
    EXPECT_EQ(doc->CurrentTower(), -1);
    EXPECT_EQ(doc->Database().FindByIndexNo(104), -1);
}

TEST_F(DatabaseReplacement, AdditionalTowersOfTheUserStayApartAndInOrder) {
    ASSERT_TRUE(OpenLog({kLogHeader}));
    // Two towers of the user's own with one number (the user said yes to the duplicate).
    AdditionalTowerFields first{"Alpha", "St A", "", "", "", "", 6, 0, 555000};
    AdditionalTowerFields second{"Beta", "St B", "", "", "", "", 5, 0, 555000};
    ASSERT_TRUE(doc->AddNewAdditionalTower(first));
    prompter.QueueAnswer(Answer::Yes);
    ASSERT_TRUE(doc->AddNewAdditionalTower(second));
    // One without a visit any more, which the dialog may still be working on.
    AdditionalTowerFields third{"Gamma", "St C", "", "", "", "", 4, 0, 555001};
    ASSERT_TRUE(doc->AddNewAdditionalTower(third));
    doc->UpdateVisitDate(0);
    ASSERT_EQ(doc->EntryCount(), 2);

    const auto carried = doc->ReplaceDatabase(NewDatabase());
    EXPECT_EQ(carried.onAdditional, 2);
    EXPECT_EQ(carried.leftDatabase, 0);
    const std::int32_t count = doc->Database().GetDatabaseCount();
    ASSERT_EQ(doc->Database().GetAdditionalCount(), 3);
    EXPECT_EQ(doc->Database().FormatTowerName(count), "Alpha - St A");
    EXPECT_EQ(doc->Database().FormatTowerName(count + 1), "Beta - St B");
    EXPECT_EQ(doc->Database().FormatTowerName(count + 2), "Gamma - St C");
    EXPECT_EQ(doc->TowerOfEntry(0), count);
    EXPECT_EQ(doc->TowerOfEntry(1), count + 1);
}

TEST_F(DatabaseReplacement, ADocumentWithoutADatabaseGetsOne) {
    TempDir empty;
    CChimesetDoc bare(empty.Path(), prompter, settings, [this] { return today; });
    ASSERT_FALSE(bare.IsDatabaseLoaded());
    ASSERT_FALSE(bare.CanOpenLog());
    const auto carried = bare.ReplaceDatabase(NewDatabase());
    EXPECT_EQ(carried.entries, 0);
    EXPECT_TRUE(bare.IsDatabaseLoaded());
    EXPECT_TRUE(bare.CanOpenLog());
    EXPECT_EQ(bare.Database().GetDatabaseCount(), 5);
}
