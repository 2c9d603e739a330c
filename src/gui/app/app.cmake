target_sources(pc_gui PRIVATE
  main_window.cpp main_window.h main_window.ui
  main_actions.cpp main_actions.h
  window_seams.h
  qt_seams.cpp qt_seams.h
  message_dialog.cpp message_dialog.h
  application.cpp application.h)
