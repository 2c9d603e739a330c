# The companion's update command: one update pass from the terminal.
target_sources(prijscorrectum-cli PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/cmd_update.cpp)
target_link_libraries(prijscorrectum-cli PRIVATE pc_update pc_common)
