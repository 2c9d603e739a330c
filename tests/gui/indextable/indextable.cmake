pc_add_gui_test(index_page_test SOURCES index_page_test.cpp index_export_test.cpp index_test_support.h)
add_dependencies(index_page_test prijscorrectum-cli)
target_compile_definitions(index_page_test PRIVATE PC_CLI_PROGRAM="$<TARGET_FILE:prijscorrectum-cli>")
