target_sources(pc_gui PRIVATE
  main_window.cpp main_window.h main_window.ui
  main_actions.cpp main_actions.h
  window_seams.h
  qt_seams.cpp qt_seams.h
  message_dialog.cpp message_dialog.h
  info_form.cpp info_form.h info_form.ui
  application.cpp application.h)
