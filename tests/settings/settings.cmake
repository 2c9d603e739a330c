pc_add_test(test_settings
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/kv_config_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/kv_config_file_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/system_proxy_settings_test.cpp
  LIBS pc_settings pc_test_temp_dir)
pc_add_test(test_settings_threads
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/update_lists_threads_test.cpp
  LIBS pc_settings
  LABELS threads)
