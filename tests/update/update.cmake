# The update pass: pure pieces, transports against the local test server,
# the worker and the connection test (threads).
pc_add_test(test_update_plan
  SOURCES info_file_test.cpp file_names_test.cpp update_texts_test.cpp transfer_pace_test.cpp
  LIBS pc_update)
pc_add_test(test_update_pass
  SOURCES update_pass_test.cpp
  LIBS pc_update pc_test_servers
  LABELS threads)
pc_add_test(test_update_proxy
  SOURCES update_proxy_test.cpp
  LIBS pc_update pc_test_servers
  LABELS threads)
