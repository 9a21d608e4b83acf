#include "visits/CChimesetDoc.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

#include "common/FileFormats.h"
#include "common/MessageTable.h"
#include "common/PathText.h"
#include "common/RecordLine.h"
#include "common/Text.h"
#include "common/TextFile.h"
#include "towerdata/NameOrder.h"
#include "towerdata/WeightFormat.h"
#include "visits/CommentCodec.h"

namespace chimeset {
namespace {

const char* const kLaterVersion =
    "This log was created by a later version of the Clangbook, please install a more recent "
    "version. To allow inspection, this file is Read-Only. It cannot be saved without "
    "corrupting the Log.";
const char* const kBackupAdvice =
    "If this is in a folder on the hard disk that does not get regularly backed up, then copy "
    "this and any other CBL (Clangbook Logs) for other users to a floppy or other exchangable "
    "media. Read the Help Topics - Backup and Restore.";
const char* const kDuplicateIdentity =
    "A Record with the same Identity number already exists. Are you sure you wish to "
    "continue?\r\n\r\nClick\r\nNO to abort changes\r\nYES to save changes.";

}  // namespace

CChimesetDoc::CChimesetDoc(const std::string& programFolder, Prompter& prompter,
                           const SettingsStore& settings, Clock today)
    : prompter_(prompter), settings_(settings), today_(std::move(today)) {
    const FileResult loaded = database_.Load(programFolder);
    ShowFileResult(prompter_, loaded);
    databaseLoaded_ = loaded.ok;
}

CChimesetDoc::CChimesetDoc(TowerDatabase database, Prompter& prompter,
                           const SettingsStore& settings, Clock today)
    : prompter_(prompter),
      settings_(settings),
      today_(std::move(today)),
      databaseLoaded_(true),
      database_(std::move(database)) {}

// ---------------------------------------------------------------- current tower fields

std::string CChimesetDoc::CurrentLocation() const {
    return CurrentRow().Location();
}
std::string CChimesetDoc::CurrentDedication() const {
    return CurrentRow().Dedication();
}
std::string CChimesetDoc::CurrentCounty() const {
    return CurrentRow().County();
}
std::string CChimesetDoc::CurrentWeight() const {
    return CurrentRow().Weight();
}
std::string CChimesetDoc::CurrentBells() const {
    return CurrentRow().Bells();
}
std::string CChimesetDoc::CurrentOSRef() const {
    return CurrentRow().OSRef();
}
MapPoint CChimesetDoc::CurrentMapPoint() const {
    return CurrentRow().GetMapPoint();
}
std::string CChimesetDoc::CurrentLatitude() const {
    return CurrentRow().Latitude();
}
std::string CChimesetDoc::CurrentLongitude() const {
    return CurrentRow().Longitude();
}
std::int32_t CChimesetDoc::CurrentIndexNo() const {
    return CurrentRow().IndexNo();
}

std::string CChimesetDoc::FormatTowerWeight(std::int32_t tower) const {
    return FormatWeight(database_.GetTowerField(tower, kWt), kilograms_);
}

// ---------------------------------------------------------------- lists

bool CChimesetDoc::SetFilter(ListFilter filter) {
    if (filter == filter_) return false;
    filter_ = filter;
    RebuildForFilter();
    return true;
}

bool CChimesetDoc::SetOrder(ListOrder order) {
    if (order == order_) return false;
    order_ = order;
    RebuildForFilter();
    return true;
}

void CChimesetDoc::RebuildForFilter() {
    if (filter_ == kFilterAllTowers)
        RebuildAllList();
    else
        RebuildLogList();
}

std::int32_t CChimesetDoc::GetListCount() const {
    if (filter_ == kFilterAllTowers) return database_.GetTowerCount();
    return static_cast<std::int32_t>(shownList_.size());
}

std::int32_t CChimesetDoc::TowerAtAllPosition(std::int32_t position) const {
    if (position < 0 || position >= database_.GetTowerCount()) return -1;
    if (database_.GetAdditionalCount() == 0) return position;
    if (static_cast<std::size_t>(position) >= shownList_.size()) return -1;
    return static_cast<std::int32_t>(shownList_[static_cast<std::size_t>(position)]);
}

std::int32_t CChimesetDoc::ListItemTower(std::int32_t position) const {
    if (filter_ == kFilterAllTowers) return TowerAtAllPosition(position);
    if (position < 0 || static_cast<std::size_t>(position) >= shownList_.size()) return -1;
    return TowerOfEntry(static_cast<std::int32_t>(shownList_[static_cast<std::size_t>(position)]));
}

std::string CChimesetDoc::GetListItem(std::int32_t position, MapPoint* point) const {
    const std::int32_t tower = ListItemTower(position);
    if (point)
        *point = (filter_ == kFilterAllTowers || tower < 0) ? 0 : database_.GetMapPoint(tower);
    if (tower < 0) return {};
    return database_.FormatTowerName(tower);
}

std::vector<std::int32_t> CChimesetDoc::ListTowers() const {
    std::vector<std::int32_t> towers(static_cast<std::size_t>(std::max(0, GetListCount())));
    for (std::size_t position = 0; position < towers.size(); ++position)
        towers[position] = ListItemTower(static_cast<std::int32_t>(position));
    return towers;
}

ListRow CChimesetDoc::GetListRow(std::int32_t position) const {
    std::int32_t tower = -1;
    std::int32_t entry = -1;
    if (!databaseLoaded_) return ListRow(*this, tower, entry);
    if (filter_ == kFilterAllTowers) {
        // A stale or out-of-range position stands for nothing.
        tower = TowerAtAllPosition(position);
        if (tower >= 0 && logOpen_) entry = FindEntryForTower(tower);
    } else if (position >= 0 && static_cast<std::size_t>(position) < shownList_.size()) {
        const auto shown =
            static_cast<std::int32_t>(shownList_[static_cast<std::size_t>(position)]);
        if (ValidEntry(shown)) {
            entry = shown;
            tower = static_cast<std::int32_t>(entryTowers_[static_cast<std::size_t>(shown)]);
        }
    }
    return ListRow(*this, tower, entry);
}

std::int32_t CChimesetDoc::SelectListItem(std::int32_t position) {
    const ListRow row = GetListRow(position);
    currentTower_ = row.Tower();
    currentEntry_ = row.Entry();
    return currentEntry_;
}

bool CChimesetDoc::IsCurrentTowerAdditional() const {
    return currentTower_ >= database_.GetDatabaseCount();
}

void CChimesetDoc::RebuildAllList() {
    shownList_.clear();
    const std::int32_t additional = database_.GetAdditionalCount();
    if (additional == 0) return;
    const std::int32_t count = database_.GetDatabaseCount();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(count + additional));
    for (std::int32_t i = 0; i < additional; ++i)
        names.push_back(database_.FormatTowerName(count + i));
    for (std::int32_t i = 0; i < count; ++i) names.push_back(database_.FormatTowerName(i));
    shownList_.reserve(names.size());
    for (const std::uint32_t k : SortByName(names)) {
        const auto ks = static_cast<std::int32_t>(k);
        shownList_.push_back(
            static_cast<std::uint32_t>(ks < additional ? ks + count : ks - additional));
    }
}

void CChimesetDoc::RebuildLogList() {
    shownList_.clear();
    const std::vector<PackedDate>* keysOf = nullptr;
    switch (filter_) {
        case kFilterVisited:
            keysOf = &visitDates_;
            break;
        case kFilterQuartered:
            keysOf = &quarterDates_;
            break;
        case kFilterPealed:
            keysOf = &pealDates_;
            break;
        default:
            return;
    }
    std::vector<std::uint32_t> entries;
    std::vector<PackedDate> keys;
    for (std::size_t e = 0; e < keysOf->size(); ++e) {
        if ((*keysOf)[e] > 0) {
            entries.push_back(static_cast<std::uint32_t>(e));
            keys.push_back((*keysOf)[e]);
        }
    }
    if (entries.empty()) return;
    std::vector<std::uint32_t> order;
    if (order_ == kOrderDate) {
        order = SortByDate(keys);
    } else {
        std::vector<std::string> names;
        names.reserve(entries.size());
        for (const auto e : entries)
            names.push_back(database_.FormatTowerName(static_cast<std::int32_t>(entryTowers_[e])));
        order = SortByName(names);
    }
    shownList_.reserve(order.size());
    for (const auto k : order) shownList_.push_back(entries[k]);
}

// ---------------------------------------------------------------- entries

bool CChimesetDoc::ValidEntry(std::int32_t entry) const {
    return entry >= 0 && static_cast<std::size_t>(entry) < visitDates_.size();
}

std::int32_t CChimesetDoc::FindEntryForTower(std::int32_t tower) const {
    for (std::size_t e = 0; e < entryTowers_.size(); ++e) {
        if (static_cast<std::int32_t>(entryTowers_[e]) == tower)
            return static_cast<std::int32_t>(e);
    }
    return -1;
}

PackedDate CChimesetDoc::VisitDateOf(std::int32_t entry) const {
    return ValidEntry(entry) ? visitDates_[static_cast<std::size_t>(entry)] : 0;
}

std::int32_t CChimesetDoc::TowerOfEntry(std::int32_t entry) const {
    return ValidEntry(entry)
               ? static_cast<std::int32_t>(entryTowers_[static_cast<std::size_t>(entry)])
               : -1;
}

PackedDate CChimesetDoc::QuarterDateOf(std::int32_t entry) const {
    return ValidEntry(entry) ? quarterDates_[static_cast<std::size_t>(entry)] : 0;
}

PackedDate CChimesetDoc::PealDateOf(std::int32_t entry) const {
    return ValidEntry(entry) ? pealDates_[static_cast<std::size_t>(entry)] : 0;
}

std::string CChimesetDoc::CommentOf(std::int32_t entry) const {
    return ValidEntry(entry) ? DecodeComment(entryComments_[static_cast<std::size_t>(entry)])
                             : std::string();
}

PackedDate CChimesetDoc::EntryVisitDate() const {
    return CurrentRow().VisitDate();
}
PackedDate CChimesetDoc::EntryQuarterDate() const {
    return CurrentRow().QuarterDate();
}
PackedDate CChimesetDoc::EntryPealDate() const {
    return CurrentRow().PealDate();
}
std::string CChimesetDoc::EntryComment() const {
    return CurrentRow().Comment();
}

void CChimesetDoc::RemoveEntry(std::int32_t entry) {
    const auto at = static_cast<std::ptrdiff_t>(entry);
    entryTowers_.erase(entryTowers_.begin() + at);
    entryComments_.erase(entryComments_.begin() + at);
    quarterDates_.erase(quarterDates_.begin() + at);
    pealDates_.erase(pealDates_.begin() + at);
    visitDates_.erase(visitDates_.begin() + at);
}

void CChimesetDoc::UpdateVisitDate(PackedDate date) {
    SetModifiedFlag(true);
    if (date == 0) {
        if (!ValidEntry(currentEntry_)) return;
        RemoveEntry(currentEntry_);
        currentEntry_ = -1;
        entryCount_ = static_cast<std::int32_t>(visitDates_.size());
        if (filter_ != kFilterAllTowers) RebuildLogList();
        UpdateAllViews(kHintListRebuilt);
        return;
    }
    if (!ValidEntry(currentEntry_)) {
        if (currentTower_ < 0) return;  // nothing selected: nothing to record against
        visitDates_.push_back(date);
        currentEntry_ = static_cast<std::int32_t>(visitDates_.size()) - 1;
        entryTowers_.push_back(static_cast<std::uint32_t>(currentTower_));
        quarterDates_.push_back(0);
        pealDates_.push_back(0);
        entryComments_.emplace_back();
        entryCount_ = static_cast<std::int32_t>(visitDates_.size());
        if (IsCurrentTowerAdditional()) RebuildForFilter();
        return;
    }
    visitDates_[static_cast<std::size_t>(currentEntry_)] = date;
    if (filter_ == kFilterVisited && order_ == kOrderDate) {
        RebuildLogList();
        UpdateAllViews(kHintListRebuilt);
    }
}

void CChimesetDoc::UpdateQuarterDate(PackedDate date) {
    UpdateEntryDate(quarterDates_, kFilterQuartered, date);
}

void CChimesetDoc::UpdatePealDate(PackedDate date) {
    UpdateEntryDate(pealDates_, kFilterPealed, date);
}

void CChimesetDoc::UpdateEntryDate(std::vector<PackedDate>& dates, ListFilter listOfDates,
                                   PackedDate date) {
    if (!ValidEntry(currentEntry_)) return;
    dates[static_cast<std::size_t>(currentEntry_)] = date;
    SetModifiedFlag(true);
    if (filter_ == listOfDates && order_ == kOrderDate) {
        RebuildLogList();
        UpdateAllViews(kHintListRebuilt);
    }
}

void CChimesetDoc::UpdateComment(const std::string& comment) {
    if (!ValidEntry(currentEntry_)) return;
    entryComments_[static_cast<std::size_t>(currentEntry_)] = EncodeComment(comment);
    SetModifiedFlag(true);
}

// ---------------------------------------------------------------- additional towers

std::int32_t CChimesetDoc::NextAdditionalTowerId() {
    // A number typed in at the top of the range has no successor: start again from today.
    if (lastAdditionalId_ < 99999 || lastAdditionalId_ == INT32_MAX) {
        const LocalDate d = Today();
        lastAdditionalId_ = MakePackedDate(d.day, d.month, d.year);
    }
    // A log saved earlier today already holds the numbers that follow. Two towers of one
    // number would become one when the log is read again, so skip the numbers in use.
    std::int32_t next = lastAdditionalId_ + 1;
    while (next < INT32_MAX && database_.FindByIndexNo(next) >= 0) ++next;
    return next;
}

std::string CChimesetDoc::BuildAdditionalTowerLine(const AdditionalTowerFields& f) {
    std::string os = f.osReference;
    os.erase(std::remove(os.begin(), os.end(), ' '), os.end());
    return Format("%s\\%s\\%s\\%s\\%s\\%s\\%i\\%i\\%i", f.location.c_str(), f.dedication.c_str(),
                  f.county.c_str(), os.c_str(), f.latitude.c_str(), f.longitude.c_str(), f.bells,
                  f.weightPounds, f.tbNumber);
}

bool CChimesetDoc::AddNewAdditionalTower(const AdditionalTowerFields& fields) {
    if (database_.FindByIndexNo(fields.tbNumber) >= 0) {
        Notice question;
        question.text = kDuplicateIdentity;
        question.icon = NoticeIcon::Question;
        question.buttons = NoticeButtons::YesNo;
        if (prompter_.Show(question) != Answer::Yes) return false;
    }
    currentTower_ = database_.AddAdditionalTower(BuildAdditionalTowerLine(fields));
    lastAdditionalId_ = fields.tbNumber;
    currentEntry_ = -1;
    UpdateVisitDate(kUnknownDate);
    SetModifiedFlag(true);
    UpdateAllViews(kHintContentsChanged);
    return true;
}

void CChimesetDoc::ReplaceAdditionalTowerDetails(std::int32_t tower,
                                                 const AdditionalTowerFields& fields) {
    database_.ReplaceAdditionalTower(tower, BuildAdditionalTowerLine(fields));
    // A new name belongs elsewhere in a list sorted by name.
    RebuildForFilter();
    SetModifiedFlag(true);
    UpdateAllViews(kHintContentsChanged);
}

AdditionalTowerFields CChimesetDoc::CurrentTowerFields() const {
    AdditionalTowerFields f;
    f.location = CurrentLocation();
    f.dedication = CurrentDedication();
    f.county = CurrentCounty();
    f.osReference = CurrentOSRef();
    f.latitude = CurrentLatitude();
    f.longitude = CurrentLongitude();
    f.bells = ParseNumber(CurrentBells());
    f.weightPounds = ParseNumber(database_.GetTowerField(currentTower_, kWt));
    f.tbNumber = CurrentIndexNo();
    return f;
}

// ---------------------------------------------------------------- the log file

void CChimesetDoc::DeleteContents() {
    entryComments_.clear();
    entryTowers_.clear();
    pealDates_.clear();
    quarterDates_.clear();
    visitDates_.clear();
    SetTitle({});
    logOpen_ = false;
    entryCount_ = 0;
    if (database_.GetAdditionalCount() > 0) database_.ClearAdditionalTowers();
    disk_.Forget();
    // Positions and the selection refer to what was just emptied.
    currentEntry_ = -1;
    currentTower_ = -1;
    shownList_.clear();
}

FileResult CChimesetDoc::CheckLogHeader(const std::string& header) {
    FileResult result;
    logColumnMap_.clear();
    const auto names = SplitFields(kVersion2Header);
    bool newer = false;
    for (const auto& name : names) {
        const auto pos = header.find(name);
        if (pos == std::string::npos) {
            result.notices.push_back(MessageTable::Chimeset().Make(
                msg::kWrongLogFormat, NoticeIcon::Stop, NoticeButtons::Ok, true));
            return result;
        }
        const std::uint32_t column = ColumnAt(header, pos);
        logColumnMap_.push_back(column);
        if (column >= kLogFieldCount) newer = true;
    }
    if (newer) {
        Notice notice;
        notice.text = kLaterVersion;
        result.notices.push_back(notice);
        readOnly_ = true;
    }
    result.ok = true;
    return result;
}

bool CChimesetDoc::OnOpenDocument(const std::string& path, std::string& pendingUserId) {
    const FileResult result = ReadLogFile(path, pendingUserId);
    ShowFileResult(prompter_, result);
    return result.ok;
}

void CChimesetDoc::SetLogUser(const std::string& userName, bool readOnly) {
    readOnly_ = readOnly;
    openedReadOnly_ = readOnly;
    userName_ = userName;
    // An empty long name, left by a hand edit, would head the printouts with nothing.
    if (userName_.empty()) userName_ = "Unknown";
}

FileResult CChimesetDoc::ReadLogFile(const std::string& path, std::string& pendingUserId) {
    DeleteContents();
    if (!databaseLoaded_) return {};
    const bool readOnly = pendingUserId.empty();
    SetLogUser(readOnly ? TextFromNativePath(FileNameOf(path))
                        : settings_.GetString("Users", pendingUserId),
               readOnly);
    pendingUserId.clear();

    std::string content;
    FileError error;
    if (!ReadFileBytes(path, content, error)) {
        FileResult result;
        result.fileError = std::move(error);
        return result;
    }
    // The lines are read where they lie in the file's text: a string each would cost more.
    FileResult result = ReadLogLines(SplitTextLineViews(content));
    if (result.ok) disk_.Remember(path, content);
    return result;
}

FileResult CChimesetDoc::ParseLog(const std::vector<std::string>& lines,
                                  const std::string& userName, bool readOnly) {
    DeleteContents();
    if (!databaseLoaded_) return {};
    SetLogUser(userName, readOnly);
    return ReadLogLines(std::vector<std::string_view>(lines.begin(), lines.end()));
}

FileResult CChimesetDoc::ReadLogLines(const std::vector<std::string_view>& lines) {
    const auto& messages = MessageTable::Chimeset();
    const std::string header = lines.empty() ? std::string() : std::string(lines[0]);
    if (header.compare(0, kVersion1MagicLine.size(), kVersion1MagicLine) == 0) {
        FileResult result;
        result.notices.push_back(
            messages.Make(msg::kVersion1Log, NoticeIcon::Stop, NoticeButtons::Ok, true));
        return result;
    }
    FileResult result = CheckLogHeader(header);
    if (result.ok) {
        // Each line is split once: several of its fields are read.
        std::vector<std::string_view> fields;
        const auto field = [this, &fields](int f) {
            const std::size_t column = logColumnMap_[static_cast<std::size_t>(f)];
            return column < fields.size() ? fields[column] : std::string_view();
        };
        for (auto* dates : {&visitDates_, &quarterDates_, &pealDates_})
            dates->reserve(lines.size());
        entryTowers_.reserve(lines.size());
        entryComments_.reserve(lines.size());
        for (std::size_t i = 1; i < lines.size(); ++i) {
            const std::string_view line =
                i + 1 == lines.size() ? WithoutEndOfFileMark(lines[i]) : lines[i];
            if (IsEmptyRecordLine(line) || line[0] == ';') continue;
            // One walk along the bytes: a log line's fields are a few characters each.
            fields.clear();
            std::size_t start = 0;
            for (std::size_t at = 0; at < line.size(); ++at) {
                if (line[at] != '\\') continue;
                fields.push_back(line.substr(start, at - start));
                start = at + 1;
            }
            fields.push_back(line.substr(start));
            visitDates_.push_back(ParseNumber(field(kVDate)));
            quarterDates_.push_back(ParseNumber(field(kQDate)));
            pealDates_.push_back(ParseNumber(field(kPDate)));
            entryComments_.emplace_back(field(kComment));
            std::int32_t identity = ParseNumber(field(kIndexNo));
            std::int32_t tower = -1;
            if (identity < 1) {
                identity = NextAdditionalTowerId();
                lastAdditionalId_ = identity;
            } else {
                tower = database_.FindByIndexNo(identity);
            }
            if (tower < 0) {
                std::string towerLine;
                for (int f = kLocn; f <= kWt; ++f) {
                    towerLine.append(field(f));
                    towerLine += '\\';
                }
                towerLine += std::to_string(identity) + "\\";
                tower = database_.AddAdditionalTower(towerLine);
            }
            entryTowers_.push_back(static_cast<std::uint32_t>(tower));
        }
        logOpen_ = true;
    }
    entryCount_ = static_cast<std::int32_t>(visitDates_.size());
    SetModifiedFlag(false);
    if (database_.GetAdditionalCount() > 0) RebuildAllList();
    result.ok = logOpen_;
    return result;
}

bool CChimesetDoc::OnSaveDocument(const std::string& path) {
    const FileResult result = WriteLogFile(path);
    ShowFileResult(prompter_, result);
    return result.ok;
}

FileResult CChimesetDoc::WriteLogFile(const std::string& path) {
    FileResult result;
    if (readOnly_) return result;
    AtomicTextWriter writer(path);
    FileError error;
    if (!writer.Open(error)) {
        result.fileError = std::move(error);
        return result;
    }
    std::string content;
    for (const std::string& line : LogLines()) {
        writer.WriteLine(line);
        content.append(line).append("\r\n");
    }
    if (!writer.Commit(error)) {
        result.fileError = std::move(error);
        return result;
    }
    disk_.Remember(path, content);
    SetModifiedFlag(false);
    result.ok = true;
    return result;
}

std::vector<std::string> CChimesetDoc::LogLines() const {
    std::vector<std::string> lines;
    lines.reserve(visitDates_.size() + 1);
    lines.emplace_back(kVersion2Header);
    for (std::size_t e = 0; e < visitDates_.size(); ++e) {
        if (visitDates_[e] == 0) continue;
        const auto tower = static_cast<std::int32_t>(entryTowers_[e]);
        // Whatever a tower holds, the record stays one line that no reader takes for a comment.
        const auto text = [&](int f) { return RecordFieldText(database_.GetTowerField(tower, f)); };
        lines.push_back(SafeRecordLine(
            Format("%s\\%s\\%s\\%s\\%s\\%s\\%s\\%s\\%i", text(kLocn).c_str(), text(kDedn).c_str(),
                   text(kCnty).c_str(), OsRefAsShown(text(kOS)).c_str(), text(kLat).c_str(),
                   text(kLon).c_str(), text(kBells).c_str(), text(kWt).c_str(),
                   database_.GetIndexNo(tower)) +
            Format("\\%i\\%i\\%i\\%s", visitDates_[e], quarterDates_[e], pealDates_[e],
                   entryComments_[e].c_str())));
    }
    return lines;
}

bool CChimesetDoc::OpenLog(const std::string& path, std::string& pendingUserId) {
    const bool opened = OnOpenDocument(path, pendingUserId);
    pendingUserId.clear();
    if (opened) {
        SetPathName(path);
        SetTitle(TextFromNativePath(FileNameOf(path)));
    } else {
        DeleteContents();
        SetPathName({});
    }
    SetModifiedFlag(false);
    UpdateAllViews(kHintContentsChanged);
    return opened;
}

bool CChimesetDoc::Save() {
    if (GetPathName().empty()) return false;
    if (!readOnly_ && IsChangedOnDisk()) {
        const std::string fileName = TextFromNativePath(FileNameOf(GetPathName()));
        switch (prompter_.Show(LogDiskState::OverwriteQuestion(fileName))) {
            case Answer::Yes:
                break;
            case Answer::No:
                return SaveAs();
            default:
                return false;
        }
    }
    return OnSaveDocument(GetPathName());
}

bool CChimesetDoc::SaveAs() {
    if (readOnly_ || GetPathName().empty()) return false;
    FileDialogRequest request;
    request.title = "Save Log As";
    request.initialPath = NativePath(GetPathName());
    request.defaultExtension = "CBL";
    request.filter = "Tower Logs (*.CBL)|*.cbl||";
    request.promptOverwrite = true;
    const auto chosen = prompter_.AskSaveFileName(request);
    if (!chosen) return false;
    if (!OnSaveDocument(*chosen)) return false;
    SetPathName(*chosen);
    SetTitle(TextFromNativePath(FileNameOf(*chosen)));
    return true;
}

bool CChimesetDoc::IsChangedOnDisk() const {
    return logOpen_ && disk_.ChangedOnDisk(GetPathName());
}

bool CChimesetDoc::ReloadLog() {
    const std::string path = GetPathName();
    if (!logOpen_ || path.empty()) return false;
    const std::string userName = userName_;
    const bool readOnly = openedReadOnly_;
    std::string content;
    FileError error;
    if (!ReadFileBytes(path, content, error)) {
        // A file that cannot be read now leaves the log shown as it was.
        prompter_.ShowFileError(error);
        return false;
    }
    const FileResult result = ParseLog(SplitTextLines(content), userName, readOnly);
    ShowFileResult(prompter_, result);
    if (result.ok) {
        disk_.Remember(path, content);
        SetTitle(TextFromNativePath(FileNameOf(path)));
    } else {
        DeleteContents();
        SetPathName({});
    }
    SetModifiedFlag(false);
    UpdateAllViews(kHintContentsChanged);
    return result.ok;
}

bool CChimesetDoc::OfferReload() {
    const std::string path = GetPathName();
    if (!logOpen_ || IsModified() || !IsChangedOnDisk() || disk_.AlreadyDeclined(path))
        return false;
    const std::string fileName = TextFromNativePath(FileNameOf(path));
    if (prompter_.Show(LogDiskState::ReloadQuestion(fileName)) != Answer::Yes) {
        disk_.Decline(path);
        return false;
    }
    return ReloadLog();
}

bool CChimesetDoc::SaveModified() {
    if (!IsModified()) return true;
    switch (prompter_.AskSaveChanges(GetTitle())) {
        case Answer::Yes:
            return Save();
        case Answer::No:
            return true;
        default:
            return false;
    }
}

bool CChimesetDoc::CloseLog() {
    if (!SaveModified()) return false;
    DeleteContents();
    SetPathName({});
    SetModifiedFlag(false);
    UpdateAllViews(kHintContentsChanged);
    return true;
}

std::string CChimesetDoc::BackupInformationText() const {
    return MessageTable::Chimeset().Text(msg::kBackupIntro) + "\r\n\r\n" +
           TextFromNativePath(GetPathName()) + "\r\n\r\n" + kBackupAdvice;
}

void CChimesetDoc::ShowBackupInformation() {
    Notice notice;
    notice.id = msg::kBackupIntro;
    notice.text = BackupInformationText();
    notice.helpContext = kMessageHelpBase + msg::kBackupIntro;
    prompter_.Show(notice);
}

// ---------------------------------------------------------------- a new tower database

CChimesetDoc::DatabaseReplacement CChimesetDoc::ReplaceDatabase(TowerDatabase database) {
    database.ClearAdditionalTowers();
    const TowerDatabase old = std::move(database_);
    database_ = std::move(database);
    databaseLoaded_ = true;

    // Old tower index to new, for each tower carried over once.
    std::unordered_map<std::int32_t, std::int32_t> carried;
    const auto inNewDatabase = [this](std::int32_t identity) {
        const std::int32_t tower = identity >= 1 ? database_.FindByIndexNo(identity) : -1;
        return tower < database_.GetDatabaseCount() ? tower : -1;
    };
    const auto carry = [&](std::int32_t tower) {
        if (const auto it = carried.find(tower); it != carried.end()) return it->second;
        std::int32_t identity = old.GetIndexNo(tower);
        std::int32_t now = inNewDatabase(identity);
        if (now < 0 && tower < old.GetDatabaseCount()) {
            // A database tower of an identity that an additional tower carried already has
            // come together with it, as two log records of one number do on opening.
            now = identity >= 1 ? database_.FindByIndexNo(identity) : -1;
        }
        if (now < 0) {
            if (identity < 1) {
                identity = NextAdditionalTowerId();
                lastAdditionalId_ = identity;
            }
            std::string line;
            for (int f = kLocn; f <= kWt; ++f) line += old.GetTowerField(tower, f) + "\\";
            line += std::to_string(identity) + "\\";
            now = database_.AddAdditionalTower(line);
        }
        carried.emplace(tower, now);
        return now;
    };

    // The additional towers first, in their order, so that they keep it; those without an
    // entry too, since the Additional Towers dialog may still be working on them.
    for (std::int32_t a = 0; a < old.GetAdditionalCount(); ++a) carry(old.GetDatabaseCount() + a);
    DatabaseReplacement result;
    for (std::size_t e = 0; e < entryTowers_.size(); ++e) {
        const auto before = static_cast<std::int32_t>(entryTowers_[e]);
        const std::int32_t now = carry(before);
        entryTowers_[e] = static_cast<std::uint32_t>(now);
        // Only the entries with a visit are the log's visits: no other entry is saved.
        if (visitDates_[e] == 0) continue;
        ++result.entries;
        if (now >= database_.GetDatabaseCount()) {
            ++result.onAdditional;
            if (before < old.GetDatabaseCount()) ++result.leftDatabase;
        }
    }
    // The selected tower stays selected where it still is; a tower of no entry that the new
    // database lacks is gone.
    if (currentTower_ >= 0) {
        const auto it = carried.find(currentTower_);
        currentTower_ =
            it != carried.end() ? it->second : inNewDatabase(old.GetIndexNo(currentTower_));
    }
    if (currentTower_ < 0) currentEntry_ = -1;
    RebuildForFilter();
    UpdateAllViews(kHintContentsChanged);
    return result;
}

}  // namespace chimeset
