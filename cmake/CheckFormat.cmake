# Fails when a tracked C++ file differs from what clang-format makes of it with the
# repository's .clang-format. Run by ctest as
#   cmake -DCLANG_FORMAT=<program> -DGIT=<program> -DSOURCE_DIR=<folder> -P CheckFormat.cmake
# Outside a git checkout there is no list of tracked files, and the check says it skipped.

execute_process(
  COMMAND ${GIT} ls-files -- "*.cpp" "*.h"
  WORKING_DIRECTORY ${SOURCE_DIR}
  OUTPUT_VARIABLE files
  RESULT_VARIABLE status
  ERROR_QUIET)
if(NOT status EQUAL 0)
  message("Format check skipped: ${SOURCE_DIR} is not a git checkout")
  return()
endif()
string(STRIP "${files}" files)
string(REPLACE "\n" ";" files "${files}")
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "Format check: git lists no C++ files in ${SOURCE_DIR}")
endif()

execute_process(
  COMMAND ${CLANG_FORMAT} --dry-run --Werror ${files}
  WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The files above differ from clang-format's layout: "
                      "run clang-format -i on them (${CLANG_FORMAT})")
endif()
message("${count} C++ files are as clang-format lays them out")
