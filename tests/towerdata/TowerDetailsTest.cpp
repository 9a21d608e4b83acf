#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/FileFormats.h"
#include "common/Text.h"
#include "towerdata/TowerDatabase.h"
#include "towerdata/TowerDetails.h"

using namespace chimeset;

namespace {

const std::string kNine(kTowerFieldNames);
const std::string kWithDetails = kNine + "\\" + std::string(kTowerDetailNames);

TowerDatabase Parsed(const std::vector<std::string>& lines) {
    TowerDatabase db;
    const FileResult result = db.Parse(lines);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.notices.empty());
    return db;
}

}  // namespace

TEST(TowerDetailsColumns, AreFoundByNameAfterTheNineAndLeaveTheNineAlone) {
    // Another order, a column nobody knows, and a name that only begins like a detail's.
    const TowerDatabase db = Parsed(
        {kNine + "\\Postcode\\Colour\\Ringable\\PracticeNight\\TenorNote\\Practice",
         "Aston\\S Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\1260\\1234\\B6 6HE\\red\\N\\Mon\\F#\\Tue",
         "Bray\\S Michael\\Berks\\SU901797\\51.5\\-0.7\\8\\1400\\77",
         "Cray\\S Mary\\Kent\\\\\\\\6\\600\\78\\\\\\y\\\\\\"});
    ASSERT_EQ(db.GetDatabaseCount(), 3);
    EXPECT_EQ(db.ColumnMap(), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(db.GetTowerField(0, kIndexNo), "1234");
    ASSERT_TRUE(db.HasDetails());

    const TowerDetails aston = db.DetailsOf(0);
    EXPECT_TRUE(aston.IsUnringable());
    EXPECT_EQ(aston.postcode, "B6 6HE");
    EXPECT_EQ(aston.practice, "Tue");  // not the "PracticeNight" column
    EXPECT_EQ(aston.tenorNote, "F#");
    // Columns the database lacks are unknown, not "no".
    EXPECT_EQ(aston.groundFloor, DetailAnswer::kUnknown);
    EXPECT_EQ(aston.webPage, "");
    EXPECT_TRUE(db.IsUnringable(0));
    EXPECT_EQ(db.GetDetailField(0, kPostcode), "B6 6HE");

    // A line that stops after the nine says nothing; empty fields say nothing.
    EXPECT_TRUE(db.DetailsOf(1).IsEmpty());
    EXPECT_FALSE(db.IsUnringable(1));
    EXPECT_EQ(db.DetailsOf(2).ringable, DetailAnswer::kYes);
    EXPECT_FALSE(db.DetailsOf(2).IsEmpty());
}

TEST(TowerDetailsColumns, ADatabaseWithoutThemOpensAsBeforeAndKnowsNothing) {
    TowerDatabase db = Parsed({kNine, "Aston\\S Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\1260\\1"});
    EXPECT_FALSE(db.HasDetails());
    EXPECT_TRUE(db.DetailsOf(0).IsEmpty());
    EXPECT_FALSE(db.IsUnringable(0));
    EXPECT_EQ(db.GetDetailField(0, kPractice), "");
    // Out of range, no tower, an additional tower: nothing known, nothing read past the end.
    EXPECT_TRUE(db.DetailsOf(-1).IsEmpty());
    EXPECT_TRUE(db.DetailsOf(5).IsEmpty());
    const std::int32_t added = db.AddAdditionalTower("New\\S Anne\\Kent\\\\\\\\6\\\\100001");
    EXPECT_TRUE(db.DetailsOf(added).IsEmpty());

    // A database with details, then one without: nothing of the first is left over.
    ASSERT_TRUE(db.Parse({kWithDetails, "A\\B\\C\\\\\\\\6\\\\1\\N"}).ok);
    EXPECT_TRUE(db.IsUnringable(0));
    ASSERT_TRUE(db.Parse({kNine, "A\\B\\C\\\\\\\\6\\\\1\\N"}).ok);
    EXPECT_FALSE(db.HasDetails());
    EXPECT_FALSE(db.IsUnringable(0));
    // An unusable header: no towers, and no details either.
    EXPECT_FALSE(db.Parse({"Locn\\Dedn\\Ringable", "A\\B\\N"}).ok);
    EXPECT_FALSE(db.HasDetails());
}

TEST(TowerDetailsColumns, TheirNamesCannotMisleadAReaderThatSearchesForTheNine) {
    // A reader of the nine finds each name as the first place it occurs in the header; a
    // detail name that held one of them could be taken for it where the columns are
    // reordered.
    for (const std::string& detail : SplitFields(kTowerDetailNames)) {
        for (const std::string& known : SplitFields(kTowerFieldNames)) {
            EXPECT_EQ(detail.find(known), std::string::npos) << detail << " holds " << known;
        }
    }
    // The loader's own header check takes the written header silently, the nine in place.
    TowerDatabase db;
    const FileResult checked = db.CheckHeader(kWithDetails);
    EXPECT_TRUE(checked.ok);
    EXPECT_TRUE(checked.notices.empty());
    EXPECT_EQ(db.ColumnMap(), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(TowerDetailsColumns, OddValuesAreKeptAsTheyStandAndCutOnlyWhereShown) {
    const std::string remark = "Tower captain: " + std::string(10000 - 15, 'x');
    const TowerDatabase db =
        Parsed({kWithDetails,
                "Aston\\S Peter\\Warks\\SP081895\\52.5\\-1.9\\8\\1260\\1234\\maybe\\Tue "
                "(2nd & 4th)\\GF\\T\\\\F#\\NOT A POSTCODE 123\\www.astonbells.org.uk\\" +
                    remark});
    const TowerDetails d = db.DetailsOf(0);
    EXPECT_EQ(d.ringable, DetailAnswer::kUnknown);  // neither yes nor no
    EXPECT_FALSE(d.IsUnringable());
    EXPECT_EQ(d.groundFloor, DetailAnswer::kUnknown);  // a mark of the download, not ours
    EXPECT_EQ(d.practice, "Tue (2nd & 4th)");
    EXPECT_TRUE(PracticeOnDay(d.practice, Weekday::kTuesday));
    EXPECT_FALSE(PracticeOnDay(d.practice, Weekday::kThursday));
    EXPECT_EQ(d.postcode, "NOT A POSTCODE 123");
    EXPECT_EQ(d.webPage, "www.astonbells.org.uk");
    EXPECT_EQ(d.remarks, remark);  // whole

    const std::vector<DetailPart> parts = DescribeDetails(d);
    ASSERT_EQ(parts.size(), 5u);
    EXPECT_EQ(parts[0].text, "Practice Tue (2nd & 4th)");
    EXPECT_EQ(parts[1].text, "Tenor in F#");
    EXPECT_EQ(parts[2].text, "NOT A POSTCODE 123");
    EXPECT_EQ(parts[3].kind, DetailPart::kWebPage);
    EXPECT_EQ(parts[3].text, "www.astonbells.org.uk");
    EXPECT_EQ(parts[3].address, "http://www.astonbells.org.uk");
    // No word break near the cut: the run is cut where the room ends.
    EXPECT_EQ(parts[4].text, remark.substr(0, kLongestDetailShown - 3) + "...");
}

TEST(TowerDetails, YesNoFieldsReadOnlyWhatTheySay) {
    const std::vector<std::pair<std::string, DetailAnswer>> cases = {
        {"Y", DetailAnswer::kYes},      {" yes ", DetailAnswer::kYes},
        {"N", DetailAnswer::kNo},       {"no", DetailAnswer::kNo},
        {"u/r", DetailAnswer::kNo},     {"", DetailAnswer::kUnknown},
        {"?", DetailAnswer::kUnknown},  {"Yesterday", DetailAnswer::kUnknown},
        {"GF", DetailAnswer::kUnknown}, {"0", DetailAnswer::kUnknown}};
    for (const auto& [field, answer] : cases) EXPECT_EQ(ParseDetailAnswer(field), answer) << field;
}

TEST(TowerDetails, PracticeNightsAreMatchedByTheDaysTheyName) {
    struct Case {
        const char* practice;
        const char* days;  // the days it names, by their first letters "MTWHFSU"
    };
    const std::vector<Case> cases = {
        {"Tue", "T"},
        {"Tuesday", "T"},
        {"tuesdays 19:30", "T"},
        {"Tue (2nd & 4th)", "T"},
        {"Tue 10:30 & Wed 20:00", "TW"},
        {"Mon (last week of each month) 19:00 & Tue 19:00", "MT"},
        {"Thurs 19:30", "H"},
        {"Weds", "W"},
        {"Thu (alt with Tue at Ashby)", "H"},  // a day in brackets qualifies another
        {"Mon (1st: other Mons at Swepstone)", "M"},
        {"PN: by arrangement", ""},
        {"Monthly", ""},
        {"Thus arranged", ""},
        {"Wedmore ringers", ""},
        {"Sun", "U"},
        {"Sat (1st, 3rd)", "S"},
        {"Fri)", "F"},  // an unmatched bracket does not hide what follows
        {"", ""},
    };
    const std::string letters = "MTWHFSU";
    for (const Case& c : cases) {
        std::string named;
        for (int d = 0; d < 7; ++d)
            if (PracticeOnDay(c.practice, static_cast<Weekday>(d))) named += letters[d];
        EXPECT_EQ(named, c.days) << c.practice;
    }
    Weekday day;
    ASSERT_TRUE(ParseWeekday("WED", day));
    EXPECT_EQ(day, Weekday::kWednesday);
    EXPECT_STREQ(WeekdayShortName(day), "Wed");
    EXPECT_FALSE(ParseWeekday("We", day));
    EXPECT_FALSE(ParseWeekday("Tuesdayx", day));
}

TEST(TowerDetails, WebPagesOpenOnlyAsWebAddresses) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"http://www.abkettlebybells.co.uk/", "http://www.abkettlebybells.co.uk/"},
        {"HTTPS://Example.org/Bells", "HTTPS://Example.org/Bells"},
        {" www.bells.org ", "http://www.bells.org"},
        {"bells.org/towers/a b", ""},  // a blank: not one address
        {"javascript:alert(1)", ""},
        {"mailto:tc@bells.org", ""},
        {"file:///etc/passwd", ""},
        {"localhost/x", ""},
        {"http://", ""},
        {"See the branch site", ""},
        {"", ""},
    };
    for (const auto& [field, address] : cases) EXPECT_EQ(WebPageAddress(field), address) << field;
}

TEST(TowerDetails, TheDetailsLineLeadsWithUnringableAndLeavesOutWhatIsUnknown) {
    TowerDetails d;
    EXPECT_TRUE(DescribeDetails(d).empty());
    d.ringable = DetailAnswer::kNo;
    d.groundFloor = DetailAnswer::kYes;
    d.toilet = DetailAnswer::kNo;
    d.simulator = DetailAnswer::kYes;
    d.postcode = "LE14 3HS";
    d.webPage = "See the branch site";
    const std::vector<DetailPart> parts = DescribeDetails(d);
    std::vector<std::string> texts;
    for (const DetailPart& part : parts) texts.push_back(part.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Unringable", "Ground floor", "Simulator",
                                               "LE14 3HS", "See the branch site"}));
    EXPECT_EQ(parts[0].kind, DetailPart::kUnringable);
    EXPECT_EQ(parts[4].kind, DetailPart::kWebPage);
    EXPECT_EQ(parts[4].address, "");  // shown, not opened

    // Cutting: short text untouched, a long word cut hard, the mark counted in the room.
    EXPECT_EQ(CutForShowing("Anticlockwise.", 20), "Anticlockwise.");
    EXPECT_EQ(CutForShowing(std::string(50, 'a'), 10), "aaaaaaa...");
    EXPECT_EQ(CutForShowing("Ropes fall in a straight line", 20), "Ropes fall in a...");
    EXPECT_EQ(CutForShowing("abcdef", 2), "ab");
}
