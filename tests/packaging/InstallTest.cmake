# cmake -DBUILD_DIR=<build> -DSCRATCH=<scratch folder> [-DPDFTOTEXT=<path>] -P InstallTest.cmake
# Installs the build into SCRATCH/prefix and runs the installed chimeset with a home of its
# own: it must find the tower database, help pages and CB2TB where they are installed, take
# a user's own database before the installed sample, and write nothing beside itself.
file(REMOVE_RECURSE ${SCRATCH})
set(prefix ${SCRATCH}/prefix)
set(home ${SCRATCH}/home)
file(MAKE_DIRECTORY ${home}/.config ${home}/.local/share ${home}/.cache ${home}/runtime
     ${SCRATCH}/work)
file(CHMOD ${home}/runtime DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

function(check_result what result output)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${what} failed (${result}):\n${output}")
  endif()
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
check_result("cmake --install" "${result}" "${output}")

# The agreed layout, file by file.
foreach(file
    bin/chimeset bin/chimemove bin/chimedove lib/chimeset/libCB2TB.so
    lib/chimeset/libchimeset-charts.so
    share/chimeset/DoveData.CB0 share/chimeset/CrossRef.txt share/chimeset/Chimeset.CB1
    share/chimeset/help/chimeset/index.html share/chimeset/help/chimeset/topics.map
    share/chimeset/help/chimemove/index.html share/chimeset/help/chimemove/topics.map
    share/applications/org.hollowmere.Chimeset.desktop
    share/applications/org.hollowmere.Chimemove.desktop
    share/metainfo/org.hollowmere.Chimeset.metainfo.xml
    share/mime/packages/chimeset-log.xml
    share/icons/hicolor/16x16/apps/chimeset.png share/icons/hicolor/256x256/apps/chimeset.png
    share/icons/hicolor/16x16/apps/chimemove.png share/icons/hicolor/256x256/apps/chimemove.png)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# Nothing the build keeps beside its programs comes along: a converted download there
# must never reach the installed folders.
foreach(stray bin/DoveData.CB0 bin/CrossRef.txt bin/help bin/libCB2TB.so bin/libchimeset-charts.so)
  if(EXISTS ${prefix}/${stray})
    message(FATAL_ERROR "installed beside the programs: ${stray}")
  endif()
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES true RELATIVE ${prefix} ${prefix}/*)

# A log of one tower of the sample database. Its record carries other words for the tower's
# fields: printed from the database, the list names the tower as the database does.
string(ASCII 13 cr)
set(header "Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo\\VDate\\QDate\\PDate\\Comment")
file(WRITE ${SCRATCH}/work/RINGER1.CBL
  "${header}${cr}\nLogcopyplace\\S Nobody\\Nowhere\\\\\\\\3\\848\\11\\33074592\\0\\0\\${cr}\n")

function(print_log pdf)
  # Only what the scratch home names: the settings, data and caches of the person running
  # the tests are never touched.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=CHIMESET_PROGRAM_DIR --unset=XDG_DATA_DIRS
            --unset=XDG_CONFIG_DIRS
            HOME=${home} XDG_CONFIG_HOME=${home}/.config XDG_DATA_HOME=${home}/.local/share
            XDG_CACHE_HOME=${home}/.cache XDG_RUNTIME_DIR=${home}/runtime
            QT_QPA_PLATFORM=offscreen
            ${prefix}/bin/chimeset --pdf ${pdf} ${SCRATCH}/work/RINGER1.CBL
    WORKING_DIRECTORY ${SCRATCH}/work
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  check_result("installed chimeset --pdf" "${result}" "${output}")
  file(READ ${pdf} magic LIMIT 16)
  if(NOT magic MATCHES "^%PDF-")
    message(FATAL_ERROR "${pdf} is not a PDF file")
  endif()
endfunction()

function(expect_printed pdf words)
  if(NOT PDFTOTEXT)
    message("pdftotext is not installed: the printed words are not checked")
    return()
  endif()
  execute_process(COMMAND ${PDFTOTEXT} ${pdf} - RESULT_VARIABLE result OUTPUT_VARIABLE text)
  check_result("pdftotext" "${result}" "${text}")
  if(NOT text MATCHES "${words}")
    message(FATAL_ERROR "${pdf} does not name ${words}:\n${text}")
  endif()
  if(text MATCHES "Logcopyplace")
    message(FATAL_ERROR "${pdf} names the tower by the log's copy, not by a database:\n${text}")
  endif()
endfunction()

# 1. A new user: the installed sample database.
print_log(${SCRATCH}/work/sample.pdf)
expect_printed(${SCRATCH}/work/sample.pdf "Aberbedw")

# 2. A user's own database in their application data folder comes first.
set(userdata ${home}/.local/share/Hollowmere/Chimeset)
file(MAKE_DIRECTORY ${userdata})
file(WRITE ${userdata}/DoveData.CB0
  "Locn\\Dedn\\Cnty\\OS\\Lat\\Lon\\Bells\\Wt\\IndexNo${cr}\nUsersownplace\\S Nicholas\\Monmouthshire\\SO517059\\51.75029\\-2.70051\\3\\848\\11${cr}\n")
print_log(${SCRATCH}/work/own.pdf)
expect_printed(${SCRATCH}/work/own.pdf "Usersownplace")

# Nothing was written beside the installed program.
file(GLOB_RECURSE after LIST_DIRECTORIES true RELATIVE ${prefix} ${prefix}/*)
if(NOT after STREQUAL installed)
  list(REMOVE_ITEM after ${installed})
  message(FATAL_ERROR "written into the installed folders: ${after}")
endif()
# The log file type, as the desktop's database takes it in (this writes into the prefix).
find_program(UPDATE_MIME_DATABASE update-mime-database)
if(UPDATE_MIME_DATABASE)
  execute_process(COMMAND ${UPDATE_MIME_DATABASE} ${prefix}/share/mime
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  check_result("update-mime-database" "${result}" "${output}")
  file(READ ${prefix}/share/mime/globs2 globs)
  if(NOT globs MATCHES "application/x-chimeset-log:\\*\\.cbl")
    message(FATAL_ERROR "logs are not of the chimeset log type:\n${globs}")
  endif()
else()
  message("update-mime-database is not installed: the log file type is not checked")
endif()
message("installed chimeset found its data in ${prefix}")
