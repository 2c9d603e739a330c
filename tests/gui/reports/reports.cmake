pc_add_gui_test(report_window_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/report_window_test.cpp)
target_compile_definitions(report_window_test PRIVATE
  PC_CLI_PATH="$<TARGET_FILE:prijscorrectum-cli>"
  PC_REPORT_ARTEFACTS="${CMAKE_BINARY_DIR}/report-artefacts")
add_dependencies(report_window_test prijscorrectum-cli)
pc_add_gui_test(report_engine_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/report_engine_test.cpp)
pc_add_gui_test(print_bd_dialog_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/print_bd_dialog_test.cpp)
