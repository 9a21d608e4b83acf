# cmake -DTOOL=<path or NOTFOUND> -DTOOL_NAME=<name> [-DTOOL_ARGS=<args>] -DFILES=<files>
#       -P ValidateFiles.cmake
# Runs the validator on each file. Without the validator the test says so and is skipped.
if(NOT TOOL)
  message("SKIPPED: ${TOOL_NAME} is not installed (tools/bootstrap installs it)")
  return()
endif()
set(failed FALSE)
foreach(file ${FILES})
  execute_process(COMMAND ${TOOL} ${TOOL_ARGS} ${file}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  # desktop-file-validate answers 0 even for some errors; it prints nothing for a good file
  # but hints, which start with "hint:".
  string(REGEX REPLACE "[^\n]*hint:[^\n]*\n?" "" complaints "${output}")
  if(NOT result EQUAL 0 OR (TOOL_NAME STREQUAL "desktop-file-validate" AND complaints))
    message("${file}: ${TOOL_NAME} (${result}):\n${output}")
    set(failed TRUE)
  endif()
endforeach()
if(failed)
  message(FATAL_ERROR "invalid files")
endif()
message("${TOOL_NAME}: all valid")
