pc_add_test(test_update_log
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/update_log_test.cpp
  LIBS pc_update_log pc_test_temp_dir)
pc_add_test(test_update_log_threads
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/update_log_threads_test.cpp
  LIBS pc_update_log pc_test_temp_dir
  LABELS threads)
