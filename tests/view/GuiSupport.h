// What the view tests share beyond tests/support/qt: a small tower database in a temporary
// program folder.
#pragma once

#include <string>

#include "common/FileFormats.h"
#include "tests/support/TempDir.h"
#include "tests/support/qt/Controls.h"
#include "tests/support/qt/ModalDialog.h"

namespace chimeset::testing {

inline const std::string kDoveHeader(kTowerFieldNames);
inline const std::string kLogHeader(kVersion2Header);

// Towers in file order: 0 Ashby, 1 Bampton, 2 Ashwell, 3 Zennor, 4 Cambridge, 5 Rock & Roll
// (no grid reference), identity numbers 1001 to 1006.
inline void WriteTestDatabase(const TempDir& dir) {
    dir.WriteLines("DoveData.CB0",
                   {kDoveHeader, "Ashby\\St Mary\\Leics\\SK359167\\52.74\\-1.47\\8\\1456\\1001",
                    "Bampton\\St Michael\\Devon\\SS956222\\50.99\\-3.48\\6\\840\\1002",
                    "Ashwell\\St Mary\\Herts\\TL267397\\52.04\\-0.15\\8\\2100\\1003",
                    "Zennor\\St Senara\\Cornwall\\SW454384\\50.19\\-5.57\\3\\300\\1004",
                    "Cambridge\\Great St Mary\\Cambs\\TL449584\\52.21\\0.12\\12\\3000\\1005",
                    "Rock & Roll\\St Cuthbert\\Durham\\\\\\\\5\\\\1006"});
}

}  // namespace chimeset::testing
