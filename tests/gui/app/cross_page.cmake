pc_add_gui_test(cross_page_test SOURCES cross_page_test.cpp ../project/project_window.cpp ../project/project_window.h)
target_compile_definitions(cross_page_test PRIVATE PC_CLI_PROGRAM="$<TARGET_FILE:prijscorrectum-cli>")
