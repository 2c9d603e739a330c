# The companion's report command: the window's report engine on Qt's
# offscreen platform, so only when the window program is built.
if(PC_BUILD_GUI)
  add_library(pc_cli_report STATIC ${CMAKE_CURRENT_LIST_DIR}/report_cli.cpp ${CMAKE_CURRENT_LIST_DIR}/report_cli.h)
  target_include_directories(pc_cli_report PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(pc_cli_report PUBLIC pc_cli_project pc_report_render)
  target_sources(prijscorrectum-cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/cmd_report.cpp)
  target_link_libraries(prijscorrectum-cli PRIVATE pc_cli_report)
endif()
