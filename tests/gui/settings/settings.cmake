# The options dialog; its connection test runs on a thread against the local
# update server and the test proxies.
pc_add_gui_test(config_form_test
  SOURCES config_form_test.cpp
  LIBS pc_test_servers
  LABELS threads)
target_link_libraries(config_form_test PRIVATE pc_settings_options)
