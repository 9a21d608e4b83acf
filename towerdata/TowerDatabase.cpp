#include "towerdata/TowerDatabase.h"

#include <algorithm>
#include <cstring>

#include "common/MessageTable.h"
#include "common/RecordLine.h"
#include "common/Text.h"
#include "common/TextFile.h"

namespace chimeset {
namespace {

constexpr std::uint32_t kNotSearchedInDatabase = 99999;

std::uint32_t IdentityOf(std::string_view field) {
    const std::int32_t number = ParseNumber(field);
    return number < 0 ? 0u : static_cast<std::uint32_t>(number);
}

// A search per line rather than a look at every byte: this runs over the whole file at start-up.
std::size_t CountLineFeeds(std::string_view text) {
    std::size_t count = 0;
    for (auto at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1))
        ++count;
    return count;
}

}  // namespace

FileResult TowerDatabase::Load(const std::string& programFolder) {
    return LoadFile(JoinPath(programFolder, kDatabaseFileName));
}

void TowerDatabase::Clear() {
    databaseText_.clear();
    lineStarts_.assign(1, 0);
    databaseIndexNos_.clear();
    description_.clear();
    indexNoLookup_.clear();
    for (auto& column : detailColumns_) column = kNoDetailColumn;
    hasDetails_ = false;
    ClearAdditionalTowers();
}

FileResult TowerDatabase::LoadFile(const std::string& path) {
    // The lines are read in place: each is copied once, into the database's own text.
    std::string content;
    FileError error;
    if (!ReadFileBytes(path, content, error)) {
        Clear();
        FinishLoading();
        FileResult result;
        result.fileError = std::move(error);
        return result;
    }
    return ParseText(std::move(content));
}

FileResult TowerDatabase::ParseText(std::string content) {
    // The records are closed up in place, over their line ends and the comments, and the file's
    // own buffer becomes the database text: a second megabyte-sized copy costs more at start-up
    // than everything else the database does.
    Clear();
    const std::size_t size = content.size();
    std::size_t start = 0;
    // Splits at LF, dropping one CR before it; the last line loses its end-of-file marks.
    const auto nextLine = [&content, &start, size]() {
        const std::size_t lf = content.find('\n', start);
        const std::size_t end = lf == std::string::npos ? size : lf;
        std::size_t lineEnd = end;
        if (lf != std::string::npos && lineEnd > start && content[lineEnd - 1] == '\r') --lineEnd;
        std::string_view line(content.data() + start, lineEnd - start);
        start = lf == std::string::npos ? size : lf + 1;
        return start >= size ? WithoutEndOfFileMark(line) : line;
    };
    FileResult result = CheckHeader(size == 0 ? std::string_view() : nextLine());
    if (!result.ok || size == 0) {
        result.ok = false;
        FinishLoading();
        return result;
    }
    const std::size_t lines = CountLineFeeds(content);
    lineStarts_.reserve(lines + 2);
    databaseIndexNos_.reserve(lines + 1);
    std::size_t written = 0;
    while (start < size) {
        const std::string_view line = nextLine();
        if (IsEmptyRecordLine(line)) continue;
        if (line[0] == ';') {
            if (description_.empty()) description_ = std::string(Trim(line.substr(1)));
            continue;
        }
        const auto at = static_cast<std::size_t>(line.data() - content.data());
        if (at != written) std::memmove(&content[written], line.data(), line.size());
        const std::string_view record(content.data() + written, line.size());
        written += line.size();
        lineStarts_.push_back(static_cast<std::uint32_t>(written));
        databaseIndexNos_.push_back(IdentityOf(GetRawField(record, columnMap_[kIndexNo])));
    }
    content.resize(written);
    databaseText_ = std::move(content);
    FinishLoading();
    return result;
}

FileResult TowerDatabase::Parse(const std::vector<std::string>& lines) {
    return ParseLines(std::vector<std::string_view>(lines.begin(), lines.end()));
}

FileResult TowerDatabase::ParseLines(const std::vector<std::string_view>& lines) {
    Clear();
    FileResult result =
        CheckHeader(lines.empty() ? std::string_view() : std::string_view(lines[0]));
    if (!result.ok || lines.empty()) {
        result.ok = false;
        FinishLoading();
        return result;
    }
    const auto lineAt = [&lines](std::size_t i) {
        return i + 1 == lines.size() ? WithoutEndOfFileMark(lines[i]) : lines[i];
    };
    const auto isRecord = [](std::string_view line) {
        return !IsEmptyRecordLine(line) && line[0] != ';';
    };
    // Exactly the room the records take, so that no copy is made to give back the rest.
    std::size_t bytes = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (const std::string_view line = lineAt(i); isRecord(line)) bytes += line.size();
    databaseText_.reserve(bytes);
    lineStarts_.reserve(lines.size() + 1);
    databaseIndexNos_.reserve(lines.size());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lineAt(i);
        if (IsEmptyRecordLine(line)) continue;
        if (line[0] == ';') {
            if (description_.empty()) description_ = std::string(Trim(line.substr(1)));
            continue;
        }
        AppendDatabaseLine(line);
    }
    databaseText_.shrink_to_fit();
    FinishLoading();
    return result;
}

void TowerDatabase::AppendDatabaseLine(std::string_view line) {
    databaseText_.append(line);
    lineStarts_.push_back(static_cast<std::uint32_t>(databaseText_.size()));
    databaseIndexNos_.push_back(IdentityOf(GetRawField(line, columnMap_[kIndexNo])));
}

void TowerDatabase::FinishLoading() {
    databaseCount_ = static_cast<std::int32_t>(databaseIndexNos_.size());
    indexNoLookup_.clear();
    indexNoLookup_.reserve(databaseIndexNos_.size());
    for (std::int32_t i = 0; i < databaseCount_; ++i)
        indexNoLookup_.emplace_back(databaseIndexNos_[i], i);
    std::sort(indexNoLookup_.begin(), indexNoLookup_.end());
}

void TowerDatabase::FindDetailColumns(std::string_view header) {
    // The detail names are matched as whole header fields: "Practice" is not "PracticeNight".
    hasDetails_ = false;
    for (auto& column : detailColumns_) column = kNoDetailColumn;
    const auto names = SplitFields(kTowerDetailNames);
    std::uint32_t column = 0;
    for (std::size_t start = 0; start <= header.size(); ++column) {
        std::size_t end = header.find('\\', start);
        if (end == std::string_view::npos) end = header.size();
        const std::string_view name = Trim(header.substr(start, end - start));
        for (std::size_t d = 0; d < names.size(); ++d) {
            if (detailColumns_[d] == kNoDetailColumn && name == names[d]) {
                detailColumns_[d] = column;
                hasDetails_ = true;
            }
        }
        start = end + 1;
    }
}

FileResult TowerDatabase::CheckHeader(std::string_view header) {
    FileResult result;
    columnMap_.clear();
    for (auto& column : detailColumns_) column = kNoDetailColumn;
    hasDetails_ = false;
    const auto names = SplitFields(kTowerFieldNames);
    bool failed = false;
    bool newer = false;
    for (const auto& name : names) {
        const auto pos = header.find(name);
        if (pos == std::string_view::npos) {
            failed = true;
            continue;
        }
        const std::uint32_t column = ColumnAt(header, pos);
        columnMap_.push_back(column);
        if (column >= kTowerFieldCount) newer = true;
    }
    const auto& messages = MessageTable::Chimeset();
    if (failed) {
        result.notices.push_back(
            messages.Make(msg::kUnusableExtract, NoticeIcon::Stop, NoticeButtons::Ok, true));
        return result;
    }
    FindDetailColumns(header);
    if (newer)
        result.notices.push_back(
            messages.Make(msg::kNewerExtract, NoticeIcon::None, NoticeButtons::Ok, true));
    result.ok = true;
    return result;
}

std::string_view TowerDatabase::DatabaseLine(std::int32_t tower) const {
    const auto start = lineStarts_[static_cast<std::size_t>(tower)];
    const auto end = lineStarts_[static_cast<std::size_t>(tower) + 1];
    return std::string_view(databaseText_).substr(start, end - start);
}

std::string_view TowerDatabase::TowerFieldView(std::int32_t tower, int field) const {
    if (tower < 0 || field < 0 || field >= kTowerFieldCount) return {};
    if (tower < databaseCount_) {
        if (columnMap_.size() != kTowerFieldCount) return {};
        return Trim(GetRawField(DatabaseLine(tower), columnMap_[static_cast<std::size_t>(field)]));
    }
    const auto additional = static_cast<std::size_t>(tower - databaseCount_);
    if (additional >= additionalLines_.size()) return {};
    return Trim(GetRawField(additionalLines_[additional], static_cast<std::size_t>(field)));
}

std::string TowerDatabase::GetTowerField(std::int32_t tower, int field) const {
    return std::string(TowerFieldView(tower, field));
}

std::string TowerDatabase::GetDetailField(std::int32_t tower, TowerDetailField field) const {
    if (tower < 0 || tower >= databaseCount_ || field < 0 || field >= kTowerDetailCount) return {};
    const std::uint32_t column = detailColumns_[field];
    if (column == kNoDetailColumn) return {};
    return GetField(DatabaseLine(tower), column);
}

bool TowerDatabase::IsUnringable(std::int32_t tower) const {
    return ParseDetailAnswer(GetDetailField(tower, kRingable)) == DetailAnswer::kNo;
}

TowerDetails TowerDatabase::DetailsOf(std::int32_t tower) const {
    TowerDetails details;
    if (!hasDetails_ || tower < 0 || tower >= databaseCount_) return details;
    // The line is split once: details lie after the nine, so one walk finds them all.
    const std::vector<std::string> fields = SplitFields(DatabaseLine(tower));
    const auto field = [&](TowerDetailField f) -> std::string {
        const std::uint32_t column = detailColumns_[f];
        if (column == kNoDetailColumn || column >= fields.size()) return {};
        return std::string(Trim(fields[column]));
    };
    details.ringable = ParseDetailAnswer(field(kRingable));
    details.groundFloor = ParseDetailAnswer(field(kGroundFloor));
    details.toilet = ParseDetailAnswer(field(kToilet));
    details.simulator = ParseDetailAnswer(field(kSimulator));
    details.practice = field(kPractice);
    details.tenorNote = field(kTenorNote);
    details.postcode = field(kPostcode);
    details.webPage = field(kWebPage);
    details.remarks = field(kRemarks);
    return details;
}

std::int32_t TowerDatabase::GetIndexNo(std::int32_t tower) const {
    if (tower < 0) return -1;
    if (tower < databaseCount_) return static_cast<std::int32_t>(databaseIndexNos_[tower]);
    const auto additional = static_cast<std::size_t>(tower - databaseCount_);
    if (additional >= additionalIndexNos_.size()) return -1;
    return static_cast<std::int32_t>(additionalIndexNos_[additional]);
}

std::int32_t TowerDatabase::FindByIndexNo(std::int32_t indexNo) const {
    if (indexNo < static_cast<std::int32_t>(kNotSearchedInDatabase)) {
        const auto wanted = static_cast<std::uint32_t>(indexNo);
        const auto it = std::lower_bound(indexNoLookup_.begin(), indexNoLookup_.end(),
                                         std::make_pair(wanted, std::int32_t{-1}));
        if (it != indexNoLookup_.end() && it->first == wanted) return it->second;
    }
    for (std::size_t j = 0; j < additionalIndexNos_.size(); ++j) {
        if (additionalIndexNos_[j] == static_cast<std::uint32_t>(indexNo))
            return databaseCount_ + static_cast<std::int32_t>(j);
    }
    return -1;
}

std::int32_t TowerDatabase::AddAdditionalTower(const std::string& line) {
    additionalLines_.push_back(line);
    additionalIndexNos_.push_back(IdentityOf(GetRawField(line, kIndexNo)));
    additionalCount_ = static_cast<std::int32_t>(additionalLines_.size());
    return databaseCount_ + additionalCount_ - 1;
}

void TowerDatabase::ReplaceAdditionalTower(std::int32_t tower, const std::string& line) {
    if (tower < databaseCount_) return;
    const auto additional = static_cast<std::size_t>(tower - databaseCount_);
    if (additional >= additionalLines_.size()) return;
    additionalLines_[additional] = line;
    additionalIndexNos_[additional] = IdentityOf(GetRawField(line, kIndexNo));
}

void TowerDatabase::ClearAdditionalTowers() {
    additionalLines_.clear();
    additionalIndexNos_.clear();
    additionalCount_ = 0;
}

std::string TowerDatabase::FormatTowerName(std::int32_t tower) const {
    std::string name;
    AppendTowerName(tower, name);
    return name;
}

void TowerDatabase::AppendTowerName(std::int32_t tower, std::string& out) const {
    const std::string_view location = TowerFieldView(tower, kLocn);
    const std::string_view dedication = TowerFieldView(tower, kDedn);
    out.append(location).append(" - ").append(dedication);
}

MapPoint TowerDatabase::GetMapPoint(std::int32_t tower) const {
    return GridReferenceToMapPoint(GetTowerField(tower, kOS));
}

std::size_t TowerDatabase::DatabaseBytes() const {
    return databaseText_.capacity() + lineStarts_.capacity() * sizeof(std::uint32_t) +
           databaseIndexNos_.capacity() * sizeof(std::uint32_t) +
           indexNoLookup_.capacity() * sizeof(indexNoLookup_[0]);
}

std::string TowerDataCredit(const TowerDatabase& database) {
    std::string credit = database.Description();
    if (credit.empty()) {
        if (database.GetDatabaseCount() == 0) return "No tower database is loaded.";
        return "The tower database does not name its source.";
    }
    // The credit names its web site; the box shows no web addresses.
    const std::size_t address = credit.find(" (http");
    if (address != std::string::npos && credit.back() == ')') credit.erase(address);
    return credit;
}

}  // namespace chimeset
