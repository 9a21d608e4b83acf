#include "visits/ListRow.h"

#include "towerdata/TowerDatabase.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

std::string OsRefAsShown(const std::string& reference) {
    return reference.size() == 8 ? reference : std::string();
}

std::string ListRow::Field(int field) const {
    return doc_->Database().GetTowerField(tower_, field);
}

std::string ListRow::Location() const {
    return Field(kLocn);
}
std::string ListRow::Dedication() const {
    return Field(kDedn);
}
std::string ListRow::County() const {
    return Field(kCnty);
}
std::string ListRow::Weight() const {
    return doc_->FormatTowerWeight(tower_);
}
std::string ListRow::Bells() const {
    return Field(kBells);
}
std::string ListRow::OSRef() const {
    return OsRefAsShown(Field(kOS));
}
std::string ListRow::Latitude() const {
    return Field(kLat);
}
std::string ListRow::Longitude() const {
    return Field(kLon);
}
MapPoint ListRow::GetMapPoint() const {
    return doc_->Database().GetMapPoint(tower_);
}
std::int32_t ListRow::IndexNo() const {
    return doc_->Database().GetIndexNo(tower_);
}

PackedDate ListRow::VisitDate() const {
    return doc_->VisitDateOf(entry_);
}
PackedDate ListRow::QuarterDate() const {
    return doc_->QuarterDateOf(entry_);
}
PackedDate ListRow::PealDate() const {
    return doc_->PealDateOf(entry_);
}
std::string ListRow::Comment() const {
    return doc_->CommentOf(entry_);
}

}  // namespace chimeset
