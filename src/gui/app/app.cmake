target_sources(pc_gui PRIVATE
  main_window.cpp main_window.h main_window.ui
  main_actions.cpp main_actions.h
  window_seams.h
  qt_seams.cpp qt_seams.h
  message_dialog.cpp message_dialog.h
  info_form.cpp info_form.h info_form.ui
  screenshot_run.cpp screenshot_run.h
  index_indicator.cpp index_indicator.h
  application.cpp application.h)

# Desktop integration: the program, its menu entry, its icon and the file
# types of projects and index files, so a double-click on a project opens it.
include(GNUInstallDirs)
install(FILES ${PROJECT_SOURCE_DIR}/data/prijscorrectum.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/prijscorrectum.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${PROJECT_SOURCE_DIR}/data/prijscorrectum-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME prijscorrectum.xml)
# Refresh the desktop's caches when installing for real (not into DESTDIR).
install(CODE [[
  if(NOT "$ENV{DESTDIR}")
    set(_pc_share "${CMAKE_INSTALL_PREFIX}/share")
    find_program(_pc_mime update-mime-database)
    find_program(_pc_desktop update-desktop-database)
    find_program(_pc_icons gtk-update-icon-cache)
    if(_pc_mime)
      execute_process(COMMAND ${_pc_mime} "${_pc_share}/mime" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(_pc_desktop)
      execute_process(COMMAND ${_pc_desktop} "${_pc_share}/applications" OUTPUT_QUIET ERROR_QUIET)
    endif()
    if(_pc_icons)
      execute_process(COMMAND ${_pc_icons} -q -t "${_pc_share}/icons/hicolor" OUTPUT_QUIET ERROR_QUIET)
    endif()
  endif()
]])
