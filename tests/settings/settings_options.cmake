pc_add_test(test_option_values
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/option_values_test.cpp
  LIBS pc_settings_options)
