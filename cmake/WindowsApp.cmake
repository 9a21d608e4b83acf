# chimeset_windows_resources(<target> NAME <name> DESCRIPTION <text> [PROGRAM])
# On Windows: the icon and version information in a resource script, and for a program the
# manifest (per-monitor DPI awareness) and, with Qt, windeployqt after the build, so that the
# program folder runs as it is. Elsewhere nothing.
function(chimeset_windows_resources target)
  if(NOT WIN32)
    return()
  endif()
  cmake_parse_arguments(R "PROGRAM" "NAME;DESCRIPTION" "" ${ARGN})
  set(CHIMESET_RC_NAME ${R_NAME})
  set(CHIMESET_RC_DESCRIPTION ${R_DESCRIPTION})
  set(CHIMESET_RC_ICON ${PROJECT_SOURCE_DIR}/resources/icons/chimeset.ico)
  if(R_PROGRAM)
    set(CHIMESET_RC_FILETYPE VFT_APP)
    set(CHIMESET_RC_FILE ${R_NAME}.exe)
  else()
    set(CHIMESET_RC_FILETYPE VFT_DLL)
    set(CHIMESET_RC_FILE ${R_NAME}.dll)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/ProgramResources.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  if(NOT R_PROGRAM)
    return()
  endif()

  set(manifest ${PROJECT_SOURCE_DIR}/resources/windows/Chimeset.manifest)
  if(MSVC)
    # The MSVC linker merges a listed .manifest into the one it writes.
    target_sources(${target} PRIVATE ${manifest})
  else()
    set(CHIMESET_MANIFEST ${manifest})
    set(manifest_rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc)
    configure_file(${PROJECT_SOURCE_DIR}/resources/windows/Manifest.rc.in ${manifest_rc} @ONLY)
    target_sources(${target} PRIVATE ${manifest_rc})
  endif()

  # The Qt libraries and plugins beside the program, from the Qt it was built with.
  if(TARGET Qt6::Core AND NOT CMAKE_CROSSCOMPILING)
    get_target_property(qmake Qt6::qmake IMPORTED_LOCATION)
    get_filename_component(qt_bin "${qmake}" DIRECTORY)
    find_program(CHIMESET_WINDEPLOYQT windeployqt HINTS "${qt_bin}")
    if(CHIMESET_WINDEPLOYQT)
      add_custom_command(TARGET ${target} POST_BUILD
        COMMAND "${CHIMESET_WINDEPLOYQT}" --no-translations
                "$<TARGET_FILE:${target}>"
        COMMENT "Placing the Qt libraries beside ${R_NAME}"
        VERBATIM)
    else()
      message(WARNING "windeployqt was not found beside ${qmake}: copy the Qt DLLs beside "
                      "${R_NAME}.exe by hand, or run it from a Qt command prompt.")
    endif()
  endif()
endfunction()
