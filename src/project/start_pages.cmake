# The start panels' tile data and switching index files as an undo step.
pc_add_core_library(pc_project_start
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/start_tiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/index_switch.cpp
    ${CMAKE_CURRENT_LIST_DIR}/index_indicator.cpp
  LIBS pc_project pc_common)
