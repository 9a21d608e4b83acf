// The main program's document: the tower database, one user's visit log, the shown list
// and the selection. Core code: it reaches the user only through the Prompter.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Document.h"
#include "common/FileResult.h"
#include "common/Prompter.h"
#include "common/SettingsStore.h"
#include "towerdata/MapPoint.h"
#include "towerdata/TowerDatabase.h"
#include "visits/ListRow.h"
#include "visits/LogDiskState.h"
#include "visits/PackedDate.h"

namespace chimeset {

// The lists the document shows: every tower, or the log's towers visited, quartered or
// pealed; and their orders. The form maps its buttons to these.
enum ListFilter : std::int32_t {
    kFilterNone = 0,
    kFilterAllTowers,
    kFilterVisited,
    kFilterQuartered,
    kFilterPealed,
};
enum ListOrder : std::int32_t { kOrderAlphabetical = 0, kOrderDate };

// The fields of an additional tower as the Additional Towers dialog gathers them.
struct AdditionalTowerFields {
    std::string location;
    std::string dedication;
    std::string county;
    std::string osReference;
    std::string latitude;
    std::string longitude;
    std::int32_t bells = 0;
    std::int32_t weightPounds = 0;
    std::int32_t tbNumber = 0;
};

// The ID name, long name and file name rules the document needs from the user register.
class CChimesetDoc : public Document {
  public:
    using Clock = std::function<LocalDate()>;

    // Loads DoveData.CB0 from the program folder; messages about it go to the prompter.
    CChimesetDoc(const std::string& programFolder, Prompter& prompter,
                 const SettingsStore& settings, Clock today);
    // A document on a database loaded already (parsed from memory, say).
    CChimesetDoc(TowerDatabase database, Prompter& prompter, const SettingsStore& settings,
                 Clock today);

    // --- tower database (read) ---
    const TowerDatabase& Database() const { return database_; }
    bool IsDatabaseLoaded() const { return databaseLoaded_; }

    // What putting a new tower database in place did to the open log.
    struct DatabaseReplacement {
        std::int32_t entries = 0;       // the log's entries with a visit date, every one kept
        std::int32_t onAdditional = 0;  // of those, entries on towers the new database lacks
        std::int32_t leftDatabase = 0;  // of those, entries whose tower the old one had
    };
    // Puts a loaded database in place of the current one. An open log stays open, as it
    // was: each entry finds its tower again by identity number, as on opening the log, and
    // a tower that the new database lacks becomes an additional tower with the fields it had.
    DatabaseReplacement ReplaceDatabase(TowerDatabase database);

    // --- the current tower in display form ---
    std::string CurrentLocation() const;
    std::string CurrentDedication() const;
    std::string CurrentCounty() const;
    std::string CurrentWeight() const;
    std::string CurrentBells() const;
    std::string CurrentOSRef() const;
    MapPoint CurrentMapPoint() const;
    std::string CurrentLatitude() const;
    std::string CurrentLongitude() const;
    std::int32_t CurrentIndexNo() const;
    void ToggleKilograms() { kilograms_ = !kilograms_; }
    bool IsKilograms() const { return kilograms_; }
    std::string FormatTowerWeight(std::int32_t tower) const;

    // --- lists and selection ---
    bool SetFilter(ListFilter filter);
    bool SetOrder(ListOrder order);
    ListFilter GetFilter() const { return filter_; }
    ListOrder GetOrder() const { return order_; }
    std::int32_t GetListCount() const;
    // The item text (FormatTowerName) and, outside the all-towers list, its map point.
    std::string GetListItem(std::int32_t position, MapPoint* point = nullptr) const;
    // The tower of every list position at once, -1 where a position stands for none: what
    // the window's list holds, each name read only when its row is shown.
    std::vector<std::int32_t> ListTowers() const;
    // The tower a list position stands for, -1 when out of range.
    std::int32_t ListItemTower(std::int32_t position) const;
    // A list position read without selecting it: what SelectListItem would make current.
    ListRow GetListRow(std::int32_t position) const;
    // The selected tower and entry, read as a row.
    ListRow CurrentRow() const { return ListRow(*this, currentTower_, currentEntry_); }
    std::int32_t SelectListItem(std::int32_t position);
    bool IsCurrentTowerAdditional() const;
    void RebuildAllList();
    void RebuildLogList();
    std::int32_t CurrentTower() const { return currentTower_; }
    std::int32_t CurrentEntry() const { return currentEntry_; }

    // --- visit entries ---
    bool IsLogOpen() const { return logOpen_; }
    bool IsReadOnly() const { return readOnly_; }
    const std::string& UserName() const { return userName_; }
    std::int32_t EntryCount() const { return entryCount_; }
    PackedDate EntryVisitDate() const;
    PackedDate EntryQuarterDate() const;
    PackedDate EntryPealDate() const;
    std::string EntryComment() const;
    // The entry of a tower, -1 when the log has none.
    std::int32_t FindEntryForTower(std::int32_t tower) const;
    // An entry's records; 0 and empty for an entry that does not exist.
    PackedDate VisitDateOf(std::int32_t entry) const;
    PackedDate QuarterDateOf(std::int32_t entry) const;
    PackedDate PealDateOf(std::int32_t entry) const;
    std::string CommentOf(std::int32_t entry) const;
    std::int32_t TowerOfEntry(std::int32_t entry) const;
    // The visit dates of every entry, in entry order (for date proposals).
    const std::vector<PackedDate>& VisitDates() const { return visitDates_; }

    void UpdateVisitDate(PackedDate date);
    void UpdateQuarterDate(PackedDate date);
    void UpdatePealDate(PackedDate date);
    void UpdateComment(const std::string& comment);

    // Today's date by the clock handed in: the program's one clock. Year 0 without one.
    LocalDate Today() const { return today_ ? today_() : LocalDate{}; }

    // --- additional towers ---
    std::int32_t NextAdditionalTowerId();
    static std::string BuildAdditionalTowerLine(const AdditionalTowerFields& fields);
    // A new tower: asks about a duplicate identity number, adds the tower, records an
    // unknown-date visit. False when the user declined.
    bool AddNewAdditionalTower(const AdditionalTowerFields& fields);
    void ReplaceAdditionalTowerDetails(std::int32_t tower, const AdditionalTowerFields& fields);
    // The dialog's starting values for an existing tower (the current tower).
    AdditionalTowerFields CurrentTowerFields() const;

    // --- the log file ---
    // pendingUserId: the user whose log this is; empty opens read-only. Consumed. What
    // went wrong is shown through the prompter.
    bool OnOpenDocument(const std::string& path, std::string& pendingUserId);
    // The file part of OnOpenDocument: reads and parses the log and says what happened.
    FileResult ReadLogFile(const std::string& path, std::string& pendingUserId);
    // A log from the lines of its file, as userName's; readOnly as a log from outside.
    FileResult ParseLog(const std::vector<std::string>& lines, const std::string& userName,
                        bool readOnly);
    // Fills the log's column map from its header line; the result tells of a log in the
    // wrong format or from a later version (which makes the log read-only).
    FileResult CheckLogHeader(const std::string& header);
    // Saves the log; a file error is shown through the prompter.
    bool OnSaveDocument(const std::string& path);
    // The file part of OnSaveDocument: writes the log and says what happened.
    FileResult WriteLogFile(const std::string& path);
    // The lines of the log file as a save writes them, the header line first.
    std::vector<std::string> LogLines() const;
    void DeleteContents();
    // The whole open: OnOpenDocument, then path, title and views; a failure leaves an
    // empty document.
    bool OpenLog(const std::string& path, std::string& pendingUserId);
    // The save question for a modified log: false when the user cancelled or a save failed.
    bool SaveModified();
    // Saves the log. When its file was changed on disk since it was read or saved here,
    // asks first whether to overwrite it, save under another name, or cancel.
    bool Save();
    // Saves the log under a name the user chooses, which becomes the log's file.
    bool SaveAs();
    // True when the open log's file holds other bytes than were read or saved here.
    bool IsChangedOnDisk() const;
    // Reads the open log's file again, as the same user and in the same mode. A failure
    // (shown) leaves no log open, as a failed open does.
    bool ReloadLog();
    // The log's file changed on disk: an open log without changes made here offers to be
    // read again, once for each version of the file. True when it was read again.
    bool OfferReload();
    // The close command: true when the log was closed.
    bool CloseLog();
    std::string BackupInformationText() const;
    void ShowBackupInformation();

    // --- command availability ---
    bool CanOpenLog() const { return databaseLoaded_; }
    bool CanSave() const { return IsModified(); }
    bool CanClose() const { return logOpen_; }
    bool CanPrint() const { return logOpen_; }
    bool CanManageUsers() const { return !logOpen_; }
    bool CanShowBackupInformation() const { return !GetPathName().empty(); }
    bool CanAddAdditionalTower() const { return logOpen_ && !readOnly_; }

    Prompter& GetPrompter() { return prompter_; }

  private:
    void SetLogUser(const std::string& userName, bool readOnly);
    FileResult ReadLogLines(const std::vector<std::string_view>& lines);
    std::int32_t TowerAtAllPosition(std::int32_t position) const;
    void RebuildForFilter();
    bool ValidEntry(std::int32_t entry) const;
    void RemoveEntry(std::int32_t entry);
    // The quarter or peal date of the current entry; the list of those dates, shown in date
    // order, is rebuilt around it.
    void UpdateEntryDate(std::vector<PackedDate>& dates, ListFilter listOfDates, PackedDate date);

    Prompter& prompter_;
    const SettingsStore& settings_;
    Clock today_;

    std::string userName_;
    bool readOnly_ = false;
    bool openedReadOnly_ = false;  // opened from outside, as against made read-only by its header
    LogDiskState disk_;
    std::vector<std::uint32_t> entryTowers_;
    std::vector<std::string> entryComments_;
    std::vector<PackedDate> quarterDates_;
    std::vector<PackedDate> pealDates_;
    std::vector<PackedDate> visitDates_;
    std::vector<std::uint32_t> logColumnMap_;
    std::vector<std::uint32_t> shownList_;
    std::int32_t lastAdditionalId_ = 0;
    std::int32_t entryCount_ = 0;
    ListOrder order_ = kOrderAlphabetical;
    std::int32_t currentEntry_ = -1;
    ListFilter filter_ = kFilterNone;
    std::int32_t currentTower_ = -1;
    bool kilograms_ = false;
    bool logOpen_ = false;
    bool databaseLoaded_ = false;
    TowerDatabase database_;
};

}  // namespace chimeset
