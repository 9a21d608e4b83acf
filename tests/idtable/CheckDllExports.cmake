# Reads a Windows DLL's export and import tables with objdump, without running it (so also
# where Wine cannot start a program of its width): exactly ConvertID and GetCBLRange exported
# by name, and nothing imported beyond the system's own libraries.
#   cmake -DOBJDUMP=... -DDLL=... -P CheckDllExports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${DLL}")
endif()

# The name pointer table: one line "\t[   0] ConvertID" for each name.
get_filename_component(dll_name "${DLL}" NAME)
set(dump_file "${CMAKE_CURRENT_BINARY_DIR}/${dll_name}.objdump.txt")
file(WRITE "${dump_file}" "${dump}")
file(STRINGS "${dump_file}" entries REGEX "^\t\\[ *[0-9]+\\] [^ ]+$")
set(exported)
foreach(entry ${entries})
  string(REGEX REPLACE "^\t\\[ *[0-9]+\\] " "" name "${entry}")
  list(APPEND exported ${name})
endforeach()
list(SORT exported)
if(NOT exported STREQUAL "ConvertID;GetCBLRange")
  message(FATAL_ERROR "${DLL} exports [${exported}], not exactly ConvertID and GetCBLRange")
endif()

file(STRINGS "${dump_file}" imports REGEX "DLL Name: ")
foreach(import ${imports})
  string(REGEX REPLACE "^.*DLL Name: " "" library "${import}")
  string(TOUPPER "${library}" library)
  if(NOT library MATCHES "^(KERNEL32\\.DLL|MSVCRT\\.DLL|API-MS-WIN-.*)$")
    message(FATAL_ERROR "${DLL} needs ${library}, which is no system library")
  endif()
endforeach()
message(STATUS "${DLL}: exports ${exported}; imports ${imports}")
