# What a cross build for Windows (cmake/toolchains/mingw-w64-*.cmake) needs beyond a native
# one: GoogleTest built from source for the target, a host tool for the generated table, and
# Wine to run the programs.
if(NOT CMAKE_CROSSCOMPILING OR NOT WIN32)
  return()
endif()

# Debian's googletest package ships the sources, not libraries for MinGW.
if(CHIMESET_TESTS)
  set(CHIMESET_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for the cross build")
  if(NOT EXISTS ${CHIMESET_GTEST_SOURCE_DIR}/googletest/CMakeLists.txt)
    message(FATAL_ERROR "No GoogleTest sources in ${CHIMESET_GTEST_SOURCE_DIR} (Debian: googletest).")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${CHIMESET_GTEST_SOURCE_DIR}/googletest ${CMAKE_BINARY_DIR}/googletest
                   EXCLUDE_FROM_ALL SYSTEM)
  # Not our code: neither our warnings nor our warnings-as-errors.
  foreach(target gtest gtest_main)
    target_compile_options(${target} PRIVATE -w)
    set_target_properties(${target} PROPERTIES AUTOMOC OFF)
  endforeach()
endif()

# Wine runs the tests in a prefix of the build's own, never the user's ~/.wine, quietly.
if(CMAKE_CROSSCOMPILING_EMULATOR)
  set(CHIMESET_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      env WINEPREFIX=${CHIMESET_WINEPREFIX} WINEDEBUG=-all ${CMAKE_CROSSCOMPILING_EMULATOR})
endif()

# The C library's printf in its standard form (%zu, %lld), as on Linux.
add_compile_definitions(__USE_MINGW_ANSI_STDIO=1)
