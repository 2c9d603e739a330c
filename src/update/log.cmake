# The update log: every line of this run, in memory and in a text file.
set(PC_VERSION_TEXT "2007.07 Beta" CACHE STRING "Version text the update log names")
pc_add_core_library(pc_update_log
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/update_log.cpp
  LIBS pc_platform pc_common)
target_compile_definitions(pc_update_log PRIVATE PC_VERSION_TEXT="${PC_VERSION_TEXT}")
