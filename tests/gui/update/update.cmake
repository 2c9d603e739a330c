# The update runs in the main window against the local update server
# (threads, a server process); the update and online-index forms.
pc_add_gui_test(update_hosting_test
  SOURCES update_hosting_test.cpp update_window.h
  LIBS pc_test_servers
  LABELS threads)
pc_add_gui_test(update_forms_test
  SOURCES update_forms_test.cpp update_window.h
  LIBS pc_test_servers)
