// The towers of DoveData.CB0 in file order, followed by the additional towers of the open log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/FileFormats.h"
#include "common/FileResult.h"
#include "towerdata/MapPoint.h"
#include "towerdata/TowerDetails.h"

namespace chimeset {

inline constexpr const char* kDatabaseFileName = "DoveData.CB0";

class TowerDatabase {
  public:
    TowerDatabase() = default;
    virtual ~TowerDatabase() = default;
    // Moved, not copied, where it changes hands: the text is the size of the file.
    TowerDatabase(const TowerDatabase&) = default;
    TowerDatabase& operator=(const TowerDatabase&) = default;
    TowerDatabase(TowerDatabase&&) noexcept = default;
    TowerDatabase& operator=(TowerDatabase&&) noexcept = default;

    // Reads DoveData.CB0 from the program folder. ok when the database is usable; the
    // result holds what the user is to be told about the file.
    FileResult Load(const std::string& programFolder);
    FileResult LoadFile(const std::string& path);
    // The database from the lines of its file, the header line first.
    FileResult Parse(const std::vector<std::string>& lines);
    // Fills the column map from a header line; the result tells of an unusable or newer
    // extract.
    FileResult CheckHeader(std::string_view header);

    std::int32_t GetDatabaseCount() const { return databaseCount_; }
    std::int32_t GetAdditionalCount() const { return additionalCount_; }
    std::int32_t GetTowerCount() const { return databaseCount_ + additionalCount_; }

    std::string GetTowerField(std::int32_t tower, int field) const;
    std::int32_t GetIndexNo(std::int32_t tower) const;
    std::int32_t FindByIndexNo(std::int32_t indexNo) const;

    std::int32_t AddAdditionalTower(const std::string& line);
    void ReplaceAdditionalTower(std::int32_t tower, const std::string& line);
    void ClearAdditionalTowers();

    std::string FormatTowerName(std::int32_t tower) const;
    // FormatTowerName appended to `out`, without a string of its own.
    void AppendTowerName(std::int32_t tower, std::string& out) const;
    MapPoint GetMapPoint(std::int32_t tower) const;

    // --- what a ringer checks before going: the further columns after the nine ---
    // Whether the database has any of the detail columns.
    bool HasDetails() const { return hasDetails_; }
    // The details of a tower, read from its line when asked, so that loading costs nothing
    // more. All unknown for an additional tower, a tower index out of range, or a database
    // without the columns.
    TowerDetails DetailsOf(std::int32_t tower) const;
    // One detail field of a database tower, trimmed; empty when unknown.
    std::string GetDetailField(std::int32_t tower, TowerDetailField field) const;
    // Known to be unringable (reads only that field: cheap enough for a filter over all).
    bool IsUnringable(std::int32_t tower) const;

    const std::vector<std::uint32_t>& ColumnMap() const { return columnMap_; }
    // How the file describes itself: its first comment line, without the ";" and the blanks
    // around the text; empty when it has none. A converted Dove's Guide extract carries its
    // credit there.
    const std::string& Description() const { return description_; }
    // Memory held for the database towers, for keeping an eye on the footprint.
    std::size_t DatabaseBytes() const;

  private:
    FileResult ParseLines(const std::vector<std::string_view>& lines);
    // The whole file's text, taken over as the database's own.
    FileResult ParseText(std::string content);
    std::string_view DatabaseLine(std::int32_t tower) const;
    // GetTowerField without the copy; valid until the database changes.
    std::string_view TowerFieldView(std::int32_t tower, int field) const;
    void AppendDatabaseLine(std::string_view line);
    void Clear();
    void FinishLoading();
    void FindDetailColumns(std::string_view header);

    std::int32_t additionalCount_ = 0;
    std::int32_t databaseCount_ = 0;
    std::vector<std::string> additionalLines_;
    std::vector<std::uint32_t> additionalIndexNos_;
    std::vector<std::uint32_t> columnMap_;
    // Column of each detail field, kNoDetailColumn when the header does not name it.
    static constexpr std::uint32_t kNoDetailColumn = 0xFFFFFFFFu;
    std::uint32_t detailColumns_[kTowerDetailCount] = {};
    bool hasDetails_ = false;
    std::vector<std::uint32_t> databaseIndexNos_;
    std::string description_;
    // The database lines, unchanged, one after another; line i runs from
    // lineStarts_[i] to lineStarts_[i + 1]. Thousands of small strings would cost
    // more than the file itself.
    std::string databaseText_;
    std::vector<std::uint32_t> lineStarts_{0};
    // (identity number, tower index) sorted, for finding the first tower of a number fast.
    std::vector<std::pair<std::uint32_t, std::int32_t>> indexNoLookup_;
};

// What the About box says of the tower data: the database's own description, which for a
// Dove's Guide extract is its credit, without a web address; a database that describes
// nothing is said to name no source.
std::string TowerDataCredit(const TowerDatabase& database);

}  // namespace chimeset
