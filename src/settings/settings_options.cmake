# The checks of the options dialog's values, without any window.
pc_add_core_library(pc_settings_options
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/option_values.cpp
  LIBS pc_settings pc_platform)
