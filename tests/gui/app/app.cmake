pc_add_gui_test(main_window_test SOURCES main_window_test.cpp companion.h)
target_compile_definitions(main_window_test PRIVATE PC_CLI_PATH="$<TARGET_FILE:prijscorrectum-cli>")
add_dependencies(main_window_test prijscorrectum-cli)
pc_add_gui_test(message_dialog_test SOURCES message_dialog_test.cpp)
pc_add_gui_test(info_form_test SOURCES info_form_test.cpp)
add_test(NAME gui_desktop_install
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/desktop_install_test.sh ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR})
set_tests_properties(gui_desktop_install PROPERTIES LABELS gui)
pc_add_gui_test(application_test SOURCES application_test.cpp)
