// The two entry points of the CB2TB library, which the main program looks up by name.
#pragma once

#if defined(_WIN32)
#define CB2TB_CALL __cdecl
#if defined(CB2TB_BUILDING)
#define CB2TB_API __declspec(dllexport)
#else
#define CB2TB_API __declspec(dllimport)
#endif
#else
#define CB2TB_CALL
#define CB2TB_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// TowerBase number of a Version 1 index; 0 when the index has none, -1 outside the table.
CB2TB_API int CB2TB_CALL ConvertID(int index);
// Number of Version 1 indices that the table covers; valid indices are 0 to the result - 1.
CB2TB_API int CB2TB_CALL GetCBLRange(void);

// What callers declare when they take the functions by name at run time.
typedef int(CB2TB_CALL* ConvertIDFunction)(int);
typedef int(CB2TB_CALL* GetCBLRangeFunction)(void);

#ifdef __cplusplus
}
#endif
