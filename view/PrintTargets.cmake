# Printing, Set Printing, the clipboard export, tower search and the update check: one
# library that the main program links, and that its tests link on their own.
if(TARGET chimeset_output OR NOT Qt6_FOUND)
  return()
endif()
find_package(Qt6 6.2 REQUIRED COMPONENTS Core Gui Widgets PrintSupport)

set(_out ${PROJECT_SOURCE_DIR})
add_library(chimeset_output STATIC
  ${_out}/view/PrintSettings.cpp ${_out}/view/PrintSettings.h
  ${_out}/view/PrintSettingsEditor.cpp ${_out}/view/PrintSettingsEditor.h
  ${_out}/view/PrintCanvas.h
  ${_out}/view/PrintLayout.cpp ${_out}/view/PrintLayout.h
  ${_out}/view/PrintPainterCanvas.cpp ${_out}/view/PrintPainterCanvas.h
  ${_out}/view/PrintController.cpp ${_out}/view/PrintController.h
  ${_out}/view/PrintCommandLine.cpp ${_out}/view/PrintCommandLine.h
  ${_out}/view/CSetPrintingDlg.cpp ${_out}/view/CSetPrintingDlg.h
  ${_out}/view/ClipboardExport.cpp ${_out}/view/ClipboardExport.h
  ${_out}/view/ClipboardExportCommand.cpp ${_out}/view/ClipboardExportCommand.h
  ${_out}/view/TowerSearch.cpp ${_out}/view/TowerSearch.h
  ${_out}/view/TowerSearchCommand.cpp ${_out}/view/TowerSearchCommand.h
  ${_out}/view/CSearchLocationDlg.cpp ${_out}/view/CSearchLocationDlg.h
  ${_out}/view/DialogButtonColumn.cpp ${_out}/view/DialogButtonColumn.h
  ${_out}/shell/CCheckUpdatesDlg.cpp ${_out}/shell/CCheckUpdatesDlg.h)
set_target_properties(chimeset_output PROPERTIES AUTOMOC ON)
target_link_libraries(chimeset_output PUBLIC chimeset_visits chimeset_commonqt
  Qt6::Core Qt6::Gui Qt6::Widgets Qt6::PrintSupport)
target_include_directories(chimeset_output PUBLIC ${PROJECT_SOURCE_DIR})
unset(_out)
