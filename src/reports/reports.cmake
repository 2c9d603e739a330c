# The data of the two reports, GUI-free: feeds from a project and the named
# columns the report definitions read.
pc_add_core_library(pc_reports
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/report_feeds.cpp
    ${CMAKE_CURRENT_LIST_DIR}/report_connections.cpp
  LIBS pc_project pc_indextable pc_installments pc_common)
