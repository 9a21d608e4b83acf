#include "dove/DoveImport.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "common/RecordLine.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "common/TextFolding.h"
#include "dove/CsvReader.h"

namespace chimeset {
namespace {

// The download's columns that the database is made from, found by name.
enum Column : int {
    kTowerId,
    kRingType,
    kPlace,
    kPlace2,
    kDedicn,
    kRingName,
    kCounty,
    kCountry,
    kNG,
    kLat,
    kLong,
    kBells,
    kWt,
    kTowerBase,
    kColumnCount
};

struct ColumnSpec {
    const char* name;
    const char* otherName;  // another spelling that some downloads use, or null
    bool required;
};

constexpr ColumnSpec kColumns[kColumnCount] = {
    {"TowerID", nullptr, false}, {"RingType", nullptr, true},  {"Place", nullptr, true},
    {"Place2", nullptr, false},  {"Dedicn", nullptr, true},    {"RingName", nullptr, false},
    {"County", nullptr, true},   {"Country", nullptr, false},  {"NG", nullptr, true},
    {"Lat", nullptr, true},      {"Long", "Lon", true},        {"Bells", nullptr, true},
    {"Wt", nullptr, true},       {"TowerBase", nullptr, true},
};

// The download's columns of what a ringer checks before going, in the order of the
// database's detail fields (kTowerDetailNames). None is required: an older download may lack
// some, and then the database says nothing of them.
enum class DetailKind {
    kText,       // copied as it stands
    kMarkIsYes,  // a mark ("GF", "T") for yes, empty for no
    kMarkIsNo,   // a mark ("u/r") for no, empty for yes
};
struct DetailSpec {
    const char* name;
    DetailKind kind;
};
constexpr DetailSpec kDetailColumns[kTowerDetailCount] = {
    {"UR", DetailKind::kMarkIsNo},         {"Practice", DetailKind::kText},
    {"GF", DetailKind::kMarkIsYes},        {"Toilet", DetailKind::kMarkIsYes},
    {"Simulator", DetailKind::kMarkIsYes}, {"Note", DetailKind::kText},
    {"Postcode", DetailKind::kText},       {"WebPage", DetailKind::kText},
    {"ExtraInfo", DetailKind::kText},
};

// Free text (remarks, web pages) may run long and is kept whole; a field longer than this is
// still a damaged file, such as a quote left open that swallows the rows after it.
inline constexpr std::size_t kLongestDoveText = 32768;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

enum class RingKind { kFullCircle, kLightweight, kOther, kMissing };

// "Full circle ring" in older downloads, "Full-circle ring" in newer ones.
RingKind KindOf(std::string_view ringType) {
    std::string letters;
    for (const char c : ringType) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) letters += c;
    }
    letters = ToUpperAscii(letters);
    if (letters.empty()) return RingKind::kMissing;
    if (letters.rfind("FULLCIRCLE", 0) == 0) return RingKind::kFullCircle;
    if (letters.rfind("LIGHT", 0) == 0) return RingKind::kLightweight;
    return RingKind::kOther;
}

// Whole pounds from "974" or "974.6"; false for anything that is not such a number.
bool RoundPounds(std::string_view text, std::string& pounds) {
    text = Trim(text);
    pounds.clear();
    if (text.empty()) return true;
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!allDigits(whole) || !allDigits(fraction) || (whole.empty() && fraction.empty())) {
        return false;
    }
    const std::string_view significant =
        whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
    if (significant.size() > 9) return false;
    std::uint64_t value = 0;
    for (const char c : significant) value = value * 10 + static_cast<std::uint64_t>(c - '0');
    if (!fraction.empty() && fraction[0] >= '5') ++value;
    pounds = std::to_string(value);
    return true;
}

// Identity numbers that the program looks up in the database: from 1 to 99998 (0 and the
// numbers from 99999 up, the range of additional towers, never find a database tower).
constexpr std::int32_t kHighestTowerNumber = 99998;

// A TowerBase or TowerID field as an identity number: 0 for none (empty, or zero), -1 when
// it is not a usable number.
std::int32_t TowerNumber(std::string_view text) {
    text = Trim(text);
    if (text.find_first_not_of('0') == std::string_view::npos) return 0;
    const std::int32_t number = ParseNumber(text);
    return number > kHighestTowerNumber ? -1 : number;
}

// Characters of valid UTF-8 text: the bytes that are not continuation bytes.
std::size_t CharacterCount(std::string_view utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string ListLine(const std::string& location, const std::string& dedication) {
    return location + " - " + dedication;
}

// One ring to be written, held until every ring is read, because its identity number and
// its location depend on the others.
struct Ring {
    std::size_t line = 0;  // of the download
    std::string location, dedication, county, os, lat, lon, bells, weight;
    std::string ringName;                    // Windows-1252 already
    FoldingCounts ringNameFolding;           // counted when the name is written
    std::int32_t towerBase = 0;              // 0 none, -1 not a usable number
    std::int32_t towerId = 0;                // used only without a TowerBase number; 0 none
    std::int32_t number = 0;                 // the identity number written
    std::string details[kTowerDetailCount];  // Windows-1252, empty when unknown
    bool kept = true;
};

// What is added to the locations of rings whose list lines would read the same.
enum class Distinction { kRingName, kCounty, kBells, kNumber };

class Converter {
  public:
    Converter(const DoveImportOptions& options, DoveImportSummary& summary, DoveImportError& error)
        : options_(options), summary_(summary), error_(error) {}

    bool OnRecord(std::size_t line, std::vector<std::string>& fields) {
        if (!haveHeader_) return ReadHeader(line, fields);
        ++summary_.rowsRead;
        if (fields.size() != headerWidth_) {
            error_ = {line, Format("The row has %zu fields where the first line has %zu.",
                                   fields.size(), headerWidth_)};
            return false;
        }
        return ConvertRow(line, fields);
    }

    // Numbers and names the rings read, and appends their records to lines.
    void Finish(std::vector<std::string>& lines) {
        NumberRings();
        NameRings();
        for (const Ring& ring : rings_) {
            if (!ring.kept) continue;
            std::string record = ring.location;
            for (const std::string& field :
                 {ring.dedication, ring.county, ring.os, ring.lat, ring.lon, ring.bells,
                  ring.weight, std::to_string(ring.number)}) {
                record += '\\';
                record += field;
            }
            for (const std::string& detail : ring.details) {
                record += '\\';
                record += detail;
            }
            lines.push_back(SafeRecordLine(std::move(record)));
            ++summary_.towersWritten;
        }
    }

    std::size_t RingsFound() const { return ringsFound_; }
    // Why the first ring of the wanted kind that was left out was left out.
    const std::string& FirstRingSkipped() const { return firstRingSkipped_; }

  private:
    bool ReadHeader(std::size_t line, const std::vector<std::string>& fields) {
        haveHeader_ = true;
        headerWidth_ = fields.size();
        std::string missing;
        for (int c = 0; c < kColumnCount; ++c) {
            column_[c] = kNoColumn;
            for (std::size_t i = 0; i < fields.size() && column_[c] == kNoColumn; ++i) {
                const std::string_view name = Trim(fields[i]);
                if (SameNameIgnoringCase(name, kColumns[c].name) ||
                    (kColumns[c].otherName && SameNameIgnoringCase(name, kColumns[c].otherName))) {
                    column_[c] = i;
                }
            }
            if (column_[c] == kNoColumn && kColumns[c].required) {
                missing += missing.empty() ? "" : ", ";
                missing += kColumns[c].name;
            }
        }
        for (int d = 0; d < kTowerDetailCount; ++d) {
            detailColumn_[d] = kNoColumn;
            for (std::size_t i = 0; i < fields.size() && detailColumn_[d] == kNoColumn; ++i) {
                if (SameNameIgnoringCase(Trim(fields[i]), kDetailColumns[d].name))
                    detailColumn_[d] = i;
            }
        }
        if (!missing.empty()) {
            error_ = {line, "The first line lacks the column" +
                                std::string(missing.find(',') == std::string::npos ? " " : "s ") +
                                missing + ": this is not a Dove's Guide CSV download."};
            return false;
        }
        return true;
    }

    std::string_view Raw(const std::vector<std::string>& fields, Column c) const {
        return column_[c] == kNoColumn ? std::string_view{} : std::string_view(fields[column_[c]]);
    }

    std::string Field(const std::vector<std::string>& fields, Column c) {
        FoldingCounts counts;
        std::string text{Trim(FoldToWindows1252(Raw(fields, c), &counts))};
        Count(counts);
        return text;
    }

    void Count(const FoldingCounts& counts) {
        if (counts.simplified > 0) ++summary_.simplifiedFields;
        if (counts.unknown > 0) ++summary_.unknownCharacterFields;
    }

    // A field far longer than any real one means a damaged file, and would only make every
    // later use of the tower slow.
    bool CheckLengths(std::size_t line, const std::vector<std::string>& fields) {
        for (int c = 0; c < kColumnCount; ++c) {
            const std::size_t length = CharacterCount(Raw(fields, static_cast<Column>(c)));
            if (length > kLongestDoveField) {
                error_ = {line, Format("The %s field is %zu characters long; no field of a "
                                       "Dove's Guide download comes near %zu.",
                                       kColumns[c].name, length, kLongestDoveField)};
                return false;
            }
        }
        for (int d = 0; d < kTowerDetailCount; ++d) {
            if (detailColumn_[d] == kNoColumn) continue;
            const std::size_t length = CharacterCount(fields[detailColumn_[d]]);
            if (length > kLongestDoveText) {
                error_ = {line, Format("The %s field is %zu characters long; no field of a "
                                       "Dove's Guide download comes near %zu.",
                                       kDetailColumns[d].name, length, kLongestDoveText)};
                return false;
            }
        }
        return true;
    }

    // The details of a row as the database holds them: yes/no fields as "Y" or "N", texts
    // in the code page. A column the download lacks leaves the detail unknown (empty).
    void ReadDetails(const std::vector<std::string>& fields, Ring& ring) {
        for (int d = 0; d < kTowerDetailCount; ++d) {
            if (detailColumn_[d] == kNoColumn) continue;
            const std::string_view raw = fields[detailColumn_[d]];
            switch (kDetailColumns[d].kind) {
                case DetailKind::kText: {
                    FoldingCounts counts;
                    ring.details[d] = Trim(FoldToWindows1252(raw, &counts));
                    Count(counts);
                    break;
                }
                case DetailKind::kMarkIsYes:
                    ring.details[d] = Trim(raw).empty() ? "N" : "Y";
                    break;
                case DetailKind::kMarkIsNo:
                    ring.details[d] = Trim(raw).empty() ? "Y" : "N";
                    break;
            }
        }
    }

    bool ConvertRow(std::size_t line, const std::vector<std::string>& fields) {
        if (!CheckLengths(line, fields)) return false;
        const std::string ringType = Field(fields, kRingType);
        switch (KindOf(ringType)) {
            case RingKind::kFullCircle:
                break;
            case RingKind::kLightweight:
                if (options_.lightweight) break;
                summary_.Skip("lightweight ring (chimedove --lightweight adds them)");
                return true;
            case RingKind::kMissing:
                summary_.Skip("no ring type");
                return true;
            case RingKind::kOther:
                summary_.Skip("not a full-circle ring: " + ringType);
                return true;
        }
        ++ringsFound_;
        Ring ring;
        ring.line = line;
        ring.location = Field(fields, kPlace);
        if (ring.location.empty()) {
            SkipRing("no place name");
            return true;
        }
        ring.towerBase = TowerNumber(Raw(fields, kTowerBase));
        if (ring.towerBase <= 0) {
            ring.towerId = TowerNumber(Raw(fields, kTowerId));
            if (ring.towerId <= 0) {
                SkipRing("no usable TowerBase number or TowerID");
                return true;
            }
        }
        if (const std::string place2 = Field(fields, kPlace2); !place2.empty()) {
            ring.location += ", " + place2;
        }
        ring.dedication = Field(fields, kDedicn);
        ring.county = Field(fields, kCounty);
        if (ring.county.empty()) ring.county = Field(fields, kCountry);
        ring.os = Field(fields, kNG);
        ring.lat = Field(fields, kLat);
        ring.lon = Field(fields, kLong);
        ring.bells = Field(fields, kBells);
        if (!RoundPounds(Raw(fields, kWt), ring.weight)) ++summary_.unreadableWeights;
        ring.ringName = Trim(FoldToWindows1252(Raw(fields, kRingName), &ring.ringNameFolding));
        ReadDetails(fields, ring);
        rings_.push_back(std::move(ring));
        return true;
    }

    // TowerBase numbers are given out first: logs and the Version 1 table refer to them, so
    // a TowerID never takes one away. Of two rings with one number, the earlier keeps it.
    void NumberRings() {
        std::unordered_map<std::int32_t, std::size_t> owner;  // number to ring
        for (const bool byTowerId : {false, true}) {
            for (std::size_t i = 0; i < rings_.size(); ++i) {
                Ring& ring = rings_[i];
                if ((ring.towerBase > 0) == byTowerId) continue;
                ring.number = byTowerId ? ring.towerId : ring.towerBase;
                const auto [it, isNew] = owner.emplace(ring.number, i);
                if (!isNew) {
                    ring.kept = false;
                    SkipRing("identity number already another ring's", ring.line,
                             Format("%s %d is already the number of the ring on line %zu",
                                    byTowerId ? "TowerID" : "TowerBase", ring.number,
                                    rings_[it->second].line));
                } else if (byTowerId) {
                    ++(ring.towerBase < 0 ? summary_.unreadableTowerBase
                                          : summary_.numberedByTowerId);
                }
            }
        }
    }

    template <typename... Details>
    void SkipRing(const std::string& reason, Details&&... details) {
        if (firstRingSkipped_.empty()) firstRingSkipped_ = reason;
        summary_.Skip(reason, std::forward<Details>(details)...);
    }

    static std::string Mark(const Ring& ring, Distinction by) {
        switch (by) {
            case Distinction::kRingName:
                return ring.ringName;
            case Distinction::kCounty:
                return ring.county;
            case Distinction::kBells:
                return ring.bells.empty() ? std::string()
                                          : ring.bells + (ring.bells == "1" ? " bell" : " bells");
            case Distinction::kNumber:
                break;
        }
        return "no. " + std::to_string(ring.number);
    }

    // The first of ring name, county and number of bells that every ring of the group has
    // and no two share; the identity number, which no two share, when none does.
    Distinction Distinguish(const std::vector<std::size_t>& group) const {
        for (const Distinction by :
             {Distinction::kRingName, Distinction::kCounty, Distinction::kBells}) {
            std::unordered_set<std::string> marks;
            bool apart = true;
            for (const std::size_t i : group) {
                const std::string mark = Mark(rings_[i], by);
                apart = apart && !mark.empty() && marks.insert(mark).second;
            }
            if (apart) return by;
        }
        return Distinction::kNumber;
    }

    // Rings whose list lines (location " - " dedication) would read the same get what tells
    // them apart added to the location, so that the list never shows two alike.
    void NameRings() {
        std::unordered_map<std::string, std::vector<std::size_t>> byLine;
        std::vector<const std::string*> order;  // each list line once, in file order
        for (std::size_t i = 0; i < rings_.size(); ++i) {
            if (!rings_[i].kept) continue;
            const auto [it, isNew] =
                byLine.try_emplace(ListLine(rings_[i].location, rings_[i].dedication));
            if (isNew) order.push_back(&it->first);
            it->second.push_back(i);
        }
        std::unordered_set<std::string> taken;
        for (const auto& [line, group] : byLine) {
            if (group.size() == 1) taken.insert(line);
        }
        for (const std::string* line : order) {
            const std::vector<std::size_t>& group = byLine.at(*line);
            if (group.size() == 1) continue;
            const Distinction by = Distinguish(group);
            for (const std::size_t i : group) {
                Ring& ring = rings_[i];
                std::string location = ring.location + ", " + Mark(ring, by);
                // A lengthened name that another tower has already: the number tells them
                // apart, or failing that a count.
                if (taken.count(ListLine(location, ring.dedication)) && by != Distinction::kNumber)
                    location += ", " + Mark(ring, Distinction::kNumber);
                const std::string plain = location;
                for (int n = 2; taken.count(ListLine(location, ring.dedication)); ++n)
                    location = plain + Format(" (%d)", n);
                taken.insert(ListLine(location, ring.dedication));
                if (by == Distinction::kRingName) Count(ring.ringNameFolding);
                ring.location = std::move(location);
                ++summary_.disambiguated;
            }
        }
    }

    const DoveImportOptions& options_;
    DoveImportSummary& summary_;
    DoveImportError& error_;
    bool haveHeader_ = false;
    std::size_t headerWidth_ = 0;
    std::size_t column_[kColumnCount] = {};
    std::size_t detailColumn_[kTowerDetailCount] = {};
    std::vector<Ring> rings_;
    std::size_t ringsFound_ = 0;  // rows of the kind written, whether written or not
    std::string firstRingSkipped_;
};

}  // namespace

std::string DoveDatabaseHeader() {
    return std::string(kTowerFieldNames) + "\\" + std::string(kTowerDetailNames);
}

std::size_t DoveImportSummary::SkippedCount() const {
    std::size_t total = 0;
    for (const auto& reason : skipped) total += reason.second;
    return total;
}

void DoveImportSummary::Skip(const std::string& reason) {
    // Looked up, not searched: a file may give a reason of its own to every row.
    const auto [it, isNew] = reasonIndex_.try_emplace(reason, skipped.size());
    if (isNew) {
        skipped.emplace_back(reason, 1);
    } else {
        ++skipped[it->second].second;
    }
}

void DoveImportSummary::Skip(const std::string& reason, std::size_t line, std::string detail) {
    Skip(reason);
    skippedLines.emplace_back(line, std::move(detail));
}

std::string DoveImportError::Describe() const {
    std::string where = file;
    if (line != 0) where += (where.empty() ? "line " : ", line ") + std::to_string(line);
    return where.empty() ? message : where + ": " + message;
}

bool ConvertDoveCsv(std::string_view csv, const DoveImportOptions& options,
                    std::vector<std::string>& lines, DoveImportSummary& summary,
                    DoveImportError& error) {
    lines.clear();
    summary = DoveImportSummary{};
    error = DoveImportError{};
    if (csv.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        csv.remove_prefix(kByteOrderMark.size());

    if (Trim(csv).empty()) {
        error = {0, "The file is empty."};
        return false;
    }
    if (const std::size_t nul = csv.find('\0'); nul != std::string_view::npos) {
        error = {LineOfOffset(csv, nul), "The file holds binary data: it is not a CSV text file."};
        return false;
    }
    if (const std::size_t bad = FindInvalidUtf8(csv); bad != std::string_view::npos) {
        error = {LineOfOffset(csv, bad),
                 Format("The text is not UTF-8 (byte 0x%02X). Save the download as CSV in "
                        "UTF-8 and try again.",
                        static_cast<unsigned>(static_cast<unsigned char>(csv[bad])))};
        return false;
    }

    Converter converter(options, summary, error);
    CsvReader reader;
    // Often enough for a progress bar to move smoothly, seldom enough to cost nothing.
    constexpr std::size_t kLinesBetweenReports = 512;
    const std::size_t lineCount =
        options.progress ? static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')) + 1
                         : 0;
    std::size_t nextReport = kLinesBetweenReports;
    const bool read = reader.Read(csv, [&](std::size_t line, std::vector<std::string>& fields) {
        if (options.progress && line >= nextReport) {
            nextReport = line + kLinesBetweenReports;
            if (!options.progress(line, lineCount)) {
                error = {0, kDoveImportStopped};
                return false;
            }
        }
        return converter.OnRecord(line, fields);
    });
    if (!read && error.message.empty()) error = {reader.ErrorLine(), reader.ErrorMessage()};
    if (read && summary.rowsRead == 0) error = {0, "The file has a header line but no rows."};
    if (error.message.empty()) {
        lines.push_back(DoveDatabaseHeader());
        lines.emplace_back(kDoveCreditLine);
        converter.Finish(lines);
    }
    if (error.message.empty() && summary.towersWritten == 0) {
        const char* kind = options.lightweight ? "full-circle or lightweight" : "full-circle";
        error = converter.RingsFound() == 0
                    ? DoveImportError{0, Format("None of the %zu rows is a %s ring: there are "
                                                "no towers to write.",
                                                summary.rowsRead, kind)}
                    : DoveImportError{0, Format("None of the %zu %s rings can be written (%s): "
                                                "there are no towers to write.",
                                                converter.RingsFound(), kind,
                                                converter.FirstRingSkipped().c_str())};
    }
    if (!error.message.empty()) {
        lines.clear();
        return false;
    }
    return true;
}

bool ImportDoveFile(const std::string& csvPath, const std::string& databasePath,
                    const DoveImportOptions& options, DoveImportSummary& summary,
                    DoveImportError& error) {
    summary = DoveImportSummary{};
    std::string csv;
    FileError readError;
    if (!ReadFileBytes(csvPath, csv, readError)) {
        error = {0, "Cannot read the file. " + readError.cause, csvPath};
        return false;
    }
    std::vector<std::string> lines;
    if (!ConvertDoveCsv(csv, options, lines, summary, error)) {
        error.file = csvPath;
        return false;
    }
    const std::string folder = FolderOf(databasePath);
    if (!folder.empty() && !IsDirectory(folder)) {
        error = {0, "Cannot write the file. The folder " + folder + " does not exist.",
                 databasePath};
        return false;
    }
    FileError writeError;
    if (!WriteTextLines(databasePath, lines, writeError)) {
        error = {0, "Cannot write the file. " + writeError.cause, databasePath};
        return false;
    }
    return true;
}

std::vector<std::string> DescribeSummary(const DoveImportSummary& summary,
                                         const std::string& databasePath) {
    // Beyond these the reasons and rows would bury the rest of the summary.
    constexpr std::size_t kReasonsNamed = 20;
    constexpr std::size_t kLinesNamed = 20;
    std::vector<std::string> out;
    out.push_back(Format("%zu towers written to %s (%zu rows read).", summary.towersWritten,
                         databasePath.c_str(), summary.rowsRead));
    if (const std::size_t skipped = summary.SkippedCount(); skipped > 0) {
        out.push_back(Format("%zu rows skipped:", skipped));
        std::size_t otherRows = 0;
        for (std::size_t i = 0; i < summary.skipped.size(); ++i) {
            const auto& [reason, count] = summary.skipped[i];
            if (i < kReasonsNamed) {
                out.push_back(Format("  %6zu %s", count, reason.c_str()));
            } else {
                otherRows += count;
            }
        }
        if (summary.skipped.size() > kReasonsNamed) {
            out.push_back(Format("  %6zu for %zu other reasons", otherRows,
                                 summary.skipped.size() - kReasonsNamed));
        }
        for (std::size_t i = 0; i < summary.skippedLines.size() && i < kLinesNamed; ++i) {
            out.push_back(Format("  line %zu: %s", summary.skippedLines[i].first,
                                 summary.skippedLines[i].second.c_str()));
        }
        if (summary.skippedLines.size() > kLinesNamed) {
            out.push_back(
                Format("  and %zu more such lines", summary.skippedLines.size() - kLinesNamed));
        }
    }
    if (summary.unreadableWeights > 0) {
        out.push_back(Format("%zu tenor weights are not a number and were left empty.",
                             summary.unreadableWeights));
    }
    if (summary.numberedByTowerId > 0) {
        out.push_back(
            Format("%zu rings have no TowerBase number; their Dove TowerID is their "
                   "identity number.",
                   summary.numberedByTowerId));
    }
    if (summary.unreadableTowerBase > 0) {
        out.push_back(
            Format("%zu TowerBase numbers are not a usable number; the Dove TowerID "
                   "is the identity number of their rings.",
                   summary.unreadableTowerBase));
    }
    if (summary.disambiguated > 0) {
        out.push_back(
            Format("%zu towers would read the same in the list as another; their "
                   "location adds the ring name, county, bells or number that tells "
                   "them apart.",
                   summary.disambiguated));
    }
    if (summary.simplifiedFields > 0) {
        out.push_back(
            Format("%zu fields had letters that Windows-1252 lacks; they were written "
                   "in plain form.",
                   summary.simplifiedFields));
    }
    if (summary.unknownCharacterFields > 0) {
        out.push_back(
            Format("%zu fields had characters that Windows-1252 cannot show; they "
                   "were written as \"?\".",
                   summary.unknownCharacterFields));
    }
    return out;
}

}  // namespace chimeset
