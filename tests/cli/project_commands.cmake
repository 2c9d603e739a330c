pc_add_test(test_cli_project_commands
  SOURCES project_commands_test.cpp
  LIBS pc_cli_project pc_platform)
target_compile_definitions(test_cli_project_commands PRIVATE
  PC_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples"
  PC_CLI_PATH="$<TARGET_FILE:prijscorrectum-cli>")
add_dependencies(test_cli_project_commands prijscorrectum-cli)
