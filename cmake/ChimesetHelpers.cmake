# chimeset_add_test(<name> SOURCES <files...> LIBS <targets...> [GUI])
# One executable per test file group; GUI tests run under Qt's offscreen platform, with the
# main of tests/support/qt.
function(chimeset_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} chimeset_testsupport GTest::gtest)
  # A GUI test's main owns its QApplication.
  if(T_GUI)
    target_link_libraries(${name} PRIVATE chimeset_qttestsupport)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${name} COMMAND ${name})
  set(env "CHIMESET_PROGRAM_DIR=${CHIMESET_PROGRAM_DIR}"
          "CHIMESET_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
          "CHIMESET_SHARED_DATA=${PROJECT_SOURCE_DIR}/../shared/data")
  chimeset_windows_paths(env)
  if(T_GUI)
    # Qt and fontconfig keep caches alive until exit, which the leak checker reports.
    list(APPEND env "QT_QPA_PLATFORM=offscreen" "ASAN_OPTIONS=detect_leaks=0")
    set_tests_properties(${name} PROPERTIES LABELS gui)
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 300)
endfunction()

# chimeset_product_qt(<target>)
# The product's Qt code turns no const char* into a QString, QByteArray or QUrl unseen: Qt
# would read it as UTF-8, where the files and messages are Windows-1252.
function(chimeset_product_qt target)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING)
endfunction()

# chimeset_windows_paths(<list variable>)
# Under Wine a test is told its folders as a Windows program sees them: the build machine's
# root is drive Z:. Elsewhere the list stays as it is.
function(chimeset_windows_paths var)
  if(NOT (CMAKE_CROSSCOMPILING AND WIN32))
    return()
  endif()
  set(result)
  foreach(entry ${${var}})
    if(entry MATCHES "^([A-Z_]+)=(/.*)$")
      string(REPLACE "/" "\\" path "${CMAKE_MATCH_2}")
      set(entry "${CMAKE_MATCH_1}=Z:${path}")
    endif()
    list(APPEND result "${entry}")
  endforeach()
  set(${var} "${result}" PARENT_SCOPE)
endfunction()
