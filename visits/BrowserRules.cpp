#include "visits/BrowserRules.h"

#include "common/Text.h"
#include "visits/CChimesetDoc.h"

namespace chimeset {

std::string StatusPaneText(const CChimesetDoc& doc, std::int32_t currentIndex,
                           std::int32_t listCount) {
    if (!doc.IsDatabaseLoaded()) return {};
    if (doc.GetFilter() == kFilterAllTowers) return Format("Dove Id= %i", doc.CurrentIndexNo());
    if (listCount == 0) return "No Items Listed";
    return Format("Rec %i of %i", currentIndex + 1, listCount);
}

std::int32_t ListPositionOfTower(const CChimesetDoc& doc, std::int32_t tower) {
    if (tower < 0) return -1;
    const std::int32_t count = doc.GetListCount();
    for (std::int32_t position = 0; position < count; ++position) {
        if (doc.ListItemTower(position) == tower) return position;
    }
    return -1;
}

std::string DetailToolTipText(const std::string& fieldText) {
    std::string doubled;
    doubled.reserve(fieldText.size());
    for (const char c : fieldText) {
        doubled += c;
        if (c == '&') doubled += '&';
    }
    constexpr std::size_t kMaxToolTip = 78;
    if (doubled.size() > kMaxToolTip) doubled.resize(kMaxToolTip);
    return doubled;
}

const char* DetailToolTip(int controlId) {
    switch (controlId) {
        case 1004:
            return "County, State or Country";
        case 1005:
            return "Tenor Weight in Hundredweight-Quarters-Pounds or Kilograms";
        case 1006:
            return "Number of Diatonic Bells";
        case 1007:
            return "UK Ordinance Survey Grid Reference";
        case 1008:
            return "Latitude North or South if Minus";
        case 1009:
            return "Longitude East of Greenwich Meridian or West if Minus";
        default:
            return "";
    }
}

std::string PageHeaderFor(const CChimesetDoc& doc) {
    if (doc.IsLogOpen()) return "Ringing Records for " + doc.UserName();
    return "Change Ringing Locations";
}

}  // namespace chimeset
