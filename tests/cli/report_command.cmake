if(PC_BUILD_GUI)
  pc_add_test(test_cli_report_command
    SOURCES report_command_test.cpp
    LIBS pc_project)
  target_include_directories(test_cli_report_command PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(test_cli_report_command PRIVATE
    PC_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples"
    PC_REPORT_ARTEFACTS="${CMAKE_BINARY_DIR}/report-artefacts"
    PC_CLI_PATH="$<TARGET_FILE:prijscorrectum-cli>")
  add_dependencies(test_cli_report_command prijscorrectum-cli)
endif()
