target_sources(pc_gui PRIVATE
  project_page.cpp project_page.h project_page.ui
  project_commands.cpp project_commands.h
  prj_page_item.cpp prj_page_item.h
  prj_page_open_item.cpp prj_page_open_item.h prj_page_open_item.ui
  prj_page_new_item.cpp prj_page_new_item.h prj_page_new_item.ui
  logo_pixmap.cpp logo_pixmap.h
  send_project.cpp send_project.h)
target_sources(pc_gui PRIVATE
  index_switch_dialog.cpp index_switch_dialog.h index_switch_dialog.ui
  export_open_dialog.cpp export_open_dialog.h export_open_dialog.ui
  qt_merge_questions.cpp qt_merge_questions.h)
