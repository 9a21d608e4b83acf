// One row of the document's shown list, read without selecting it: the tower and, when the
// log has one for it, the entry. A row reads the document as it is when asked; it stands for
// its position until the list or the log changes.
#pragma once

#include <cstdint>
#include <string>

#include "towerdata/MapPoint.h"
#include "visits/PackedDate.h"

namespace chimeset {

class CChimesetDoc;

class ListRow {
  public:
    ListRow(const CChimesetDoc& doc, std::int32_t tower, std::int32_t entry)
        : doc_(&doc), tower_(tower), entry_(entry) {}

    // -1 when the row stands for no tower, or the tower has no entry in the log.
    std::int32_t Tower() const { return tower_; }
    std::int32_t Entry() const { return entry_; }

    // The tower's fields in display form.
    std::string Location() const;
    std::string Dedication() const;
    std::string County() const;
    std::string Weight() const;
    std::string Bells() const;
    std::string OSRef() const;
    std::string Latitude() const;
    std::string Longitude() const;
    MapPoint GetMapPoint() const;
    std::int32_t IndexNo() const;

    // The entry's records; 0 and empty without an entry.
    PackedDate VisitDate() const;
    PackedDate QuarterDate() const;
    PackedDate PealDate() const;
    std::string Comment() const;

  private:
    std::string Field(int field) const;

    const CChimesetDoc* doc_;
    std::int32_t tower_;
    std::int32_t entry_;
};

// An OS grid reference as the form and the printout show it: the eight characters of a
// proper reference, else nothing.
std::string OsRefAsShown(const std::string& reference);

}  // namespace chimeset
