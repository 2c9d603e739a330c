pc_add_test(test_cli_update_command
  SOURCES update_command_test.cpp
  LIBS pc_test_servers)
target_compile_definitions(test_cli_update_command PRIVATE PC_CLI_PATH="$<TARGET_FILE:prijscorrectum-cli>")
add_dependencies(test_cli_update_command prijscorrectum-cli)
