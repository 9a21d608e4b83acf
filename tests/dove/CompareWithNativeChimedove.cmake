# Converts a Dove's Guide download with the Windows chimedove.exe (under Wine) and with the
# native chimedove, and fails unless the two databases are the same bytes. Skips when the
# download is not there (a user's clone has no ../shared).
#   cmake -DNATIVE=... -DWINDOWS=... -DEMULATOR="env|...|wine" -DCSV=... -DOUT=... -P ...
if(NOT EXISTS "${CSV}")
  message("chimedove comparison skipped: no Dove's Guide download at ${CSV}")
  return()
endif()
file(MAKE_DIRECTORY "${OUT}")
file(REMOVE "${OUT}/native.CB0" "${OUT}/windows.CB0")

foreach(lightweight "" "--lightweight")
  execute_process(COMMAND "${NATIVE}" ${lightweight} "${CSV}" "${OUT}/native.CB0"
                  RESULT_VARIABLE result ERROR_VARIABLE native_summary)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "native chimedove failed: ${native_summary}")
  endif()
  # The Windows program is given its paths as Windows spells them: the root is drive Z:.
  string(REPLACE "/" "\\" csv_windows "Z:${CSV}")
  string(REPLACE "/" "\\" out_windows "Z:${OUT}/windows.CB0")
  string(REPLACE "|" ";" emulator "${EMULATOR}")
  execute_process(COMMAND ${emulator} "${WINDOWS}" ${lightweight} "${csv_windows}" "${out_windows}"
                  RESULT_VARIABLE result ERROR_VARIABLE windows_summary)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "chimedove.exe failed: ${windows_summary}")
  endif()
  file(SIZE "${OUT}/native.CB0" size)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUT}/native.CB0" "${OUT}/windows.CB0"
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "chimedove.exe ${lightweight} wrote another database than chimedove "
                        "(${OUT}/native.CB0, ${OUT}/windows.CB0)")
  endif()
  message(STATUS "chimedove ${lightweight}: both wrote the same ${size} bytes")
endforeach()
