#include "idtable/CB2TB.h"

#include "idtable/TowerBaseTable.h"

extern "C" {

CB2TB_API int CB2TB_CALL ConvertID(int index) {
    // Compared as unsigned so that a negative index falls outside the table too.
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(kTowerBaseTable.count)) return -1;
    return static_cast<int>(kTowerBaseTable.entries[index]);
}

CB2TB_API int CB2TB_CALL GetCBLRange(void) {
    return kTowerBaseTable.count;
}

}  // extern "C"
