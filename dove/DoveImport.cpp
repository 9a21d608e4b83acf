#include "dove/DoveImport.h"

#include <algorithm>
#include <cstdint>

#include "common/Text.h"
#include "common/TextFile.h"
#include "common/TextFolding.h"
#include "dove/CsvReader.h"

namespace chimeset {
namespace {

// The download's columns that the database is made from, found by name.
enum Column : int {
    kRingType,
    kPlace,
    kPlace2,
    kDedicn,
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
    {"RingType", nullptr, true}, {"Place", nullptr, true},  {"Place2", nullptr, false},
    {"Dedicn", nullptr, true},   {"County", nullptr, true}, {"Country", nullptr, false},
    {"NG", nullptr, true},       {"Lat", nullptr, true},    {"Long", "Lon", true},
    {"Bells", nullptr, true},    {"Wt", nullptr, true},     {"TowerBase", nullptr, true},
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ToUpperAscii(a) == ToUpperAscii(b);
}

std::size_t LineOfOffset(std::string_view text, std::size_t offset) {
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
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

class Converter {
  public:
    Converter(const DoveImportOptions& options, std::vector<std::string>& lines,
              DoveImportSummary& summary, DoveImportError& error)
        : options_(options), lines_(lines), summary_(summary), error_(error) {}

    bool OnRecord(std::size_t line, std::vector<std::string>& fields) {
        if (!haveHeader_) return ReadHeader(line, fields);
        ++summary_.rowsRead;
        if (fields.size() != headerWidth_) {
            error_ = {line, Format("The row has %zu fields where the first line has %zu.",
                                   fields.size(), headerWidth_)};
            return false;
        }
        ConvertRow(fields);
        return true;
    }

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
        if (!missing.empty()) {
            error_ = {line, "The first line lacks the column" +
                                std::string(missing.find(',') == std::string::npos ? " " : "s ") +
                                missing + ": this is not a Dove's Guide CSV download."};
            return false;
        }
        return true;
    }

    std::string Field(const std::vector<std::string>& fields, Column c) {
        if (column_[c] == kNoColumn) return {};
        FoldingCounts counts;
        std::string text{Trim(FoldToWindows1252(fields[column_[c]], &counts))};
        if (counts.simplified > 0) ++summary_.simplifiedFields;
        if (counts.unknown > 0) ++summary_.unknownCharacterFields;
        return text;
    }

    void ConvertRow(const std::vector<std::string>& fields) {
        const std::string ringType = Field(fields, kRingType);
        switch (KindOf(ringType)) {
            case RingKind::kFullCircle:
                break;
            case RingKind::kLightweight:
                if (options_.lightweight) break;
                summary_.Skip("lightweight ring (add them with --lightweight)");
                return;
            case RingKind::kMissing:
                summary_.Skip("no ring type");
                return;
            case RingKind::kOther:
                summary_.Skip("not a full-circle ring: " + ringType);
                return;
        }
        std::string location = Field(fields, kPlace);
        if (location.empty()) {
            summary_.Skip("no place name");
            return;
        }
        if (const std::string place2 = Field(fields, kPlace2); !place2.empty()) {
            location += ", " + place2;
        }
        std::string county = Field(fields, kCounty);
        if (county.empty()) county = Field(fields, kCountry);

        std::string weight;
        if (!RoundPounds(fields[column_[kWt]], weight)) ++summary_.unreadableWeights;

        std::string indexNo = "0";
        const std::string towerBase{Trim(fields[column_[kTowerBase]])};
        if (!towerBase.empty()) {
            const std::int32_t number = ParseNumber(towerBase);
            if (number < 0) {
                ++summary_.unreadableTowerBase;
            } else {
                indexNo = std::to_string(number);
            }
        }

        std::string record = location;
        for (const std::string& field :
             {Field(fields, kDedicn), county, Field(fields, kNG), Field(fields, kLat),
              Field(fields, kLong), Field(fields, kBells), weight, indexNo}) {
            record += '\\';
            record += field;
        }
        // A line that starts with ";" would be read as a comment; the blank is trimmed on reading.
        if (record[0] == ';') record.insert(0, 1, ' ');
        lines_.push_back(std::move(record));
        ++summary_.towersWritten;
    }

    const DoveImportOptions& options_;
    std::vector<std::string>& lines_;
    DoveImportSummary& summary_;
    DoveImportError& error_;
    bool haveHeader_ = false;
    std::size_t headerWidth_ = 0;
    std::size_t column_[kColumnCount] = {};
};

}  // namespace

std::size_t DoveImportSummary::SkippedCount() const {
    std::size_t total = 0;
    for (const auto& reason : skipped) total += reason.second;
    return total;
}

void DoveImportSummary::Skip(const std::string& reason) {
    for (auto& entry : skipped) {
        if (entry.first == reason) {
            ++entry.second;
            return;
        }
    }
    skipped.emplace_back(reason, 1);
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

    lines.emplace_back(kDoveDatabaseHeader);
    lines.emplace_back(kDoveCreditLine);
    Converter converter(options, lines, summary, error);
    CsvReader reader;
    const bool read =
        reader.Read(csv, [&converter](std::size_t line, std::vector<std::string>& fields) {
            return converter.OnRecord(line, fields);
        });
    if (!read && error.message.empty()) error = {reader.ErrorLine(), reader.ErrorMessage()};
    if (read && summary.rowsRead == 0) error = {0, "The file has a header line but no rows."};
    if (read && summary.rowsRead > 0 && summary.towersWritten == 0) {
        error = {0, Format("None of the %zu rows is a %s ring: there are no towers to write.",
                           summary.rowsRead,
                           options.lightweight ? "full-circle or lightweight" : "full-circle")};
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
    std::vector<std::string> out;
    out.push_back(Format("%zu towers written to %s (%zu rows read).", summary.towersWritten,
                         databasePath.c_str(), summary.rowsRead));
    if (const std::size_t skipped = summary.SkippedCount(); skipped > 0) {
        out.push_back(Format("%zu rows skipped:", skipped));
        for (const auto& [reason, count] : summary.skipped) {
            out.push_back(Format("  %6zu %s", count, reason.c_str()));
        }
    }
    if (summary.unreadableWeights > 0) {
        out.push_back(Format("%zu tenor weights are not a number and were left empty.",
                             summary.unreadableWeights));
    }
    if (summary.unreadableTowerBase > 0) {
        out.push_back(Format("%zu TowerBase numbers are not a number and were written as 0.",
                             summary.unreadableTowerBase));
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
