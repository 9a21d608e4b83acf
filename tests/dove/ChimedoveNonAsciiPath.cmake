# chimedove.exe converts a download from, and into, a folder whose name is not ASCII, whatever
# the ANSI code page Windows gives it.
#   cmake -DWINDOWS=... -DEMULATOR="env|...|wine" -DOUT=... -P ...
set(folder "${OUT}/Café €")
file(REMOVE_RECURSE "${folder}")
file(MAKE_DIRECTORY "${folder}")
# One invented ring in the older download's layout.
set(header "TowerID,RingType,Place,Place2,PlaceCL,Dedicn,AltName,County,Country,ISO3166code,\
Diocese,Lat,Long,Bells,UR,Semitones,Wt,App,Note,Hz,Details,GF,Toilet,Simulator,ExtraInfo,\
WebPage,Affiliations,NG,Postcode,Practice,OvhaulYr,Contractor,TuneYr,LGrade,BldgID,\
ChurchCare,TowerBase,DoveID,SNLat,SNLong")
set(row "10001,Full circle ring,Ab Kettleby,,,S James,,Leicestershire,England,,,52.79858,\
-0.92747,6,,,974,,,,,,,,,,,SK724228,,,,,,,,,6918,,,")
file(WRITE "${folder}/dove.csv" "${header}\n${row}\n")
string(REPLACE "/" "\\" csv_windows "Z:${folder}/dove.csv")
string(REPLACE "/" "\\" out_windows "Z:${folder}/DoveData.CB0")
string(REPLACE "|" ";" emulator "${EMULATOR}")
execute_process(COMMAND ${emulator} "${WINDOWS}" "${csv_windows}" "${out_windows}"
                RESULT_VARIABLE result ERROR_VARIABLE summary)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "chimedove.exe failed on a non-ASCII folder: ${summary}")
endif()
file(READ "${folder}/DoveData.CB0" database LIMIT 200)
if(NOT database MATCHES "Locn")
  message(FATAL_ERROR "chimedove.exe wrote no tower database: ${summary}")
endif()
message(STATUS "${summary}")
