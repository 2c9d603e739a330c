# A fresh folder per test, shared with the settings and update-log tests.
add_library(pc_test_temp_dir STATIC ${CMAKE_CURRENT_SOURCE_DIR}/temp_dir.cpp)
target_include_directories(pc_test_temp_dir PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

pc_add_test(test_platform
  SOURCES
    ${CMAKE_CURRENT_SOURCE_DIR}/registry_tree_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/settings_file_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/file_registry_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/folders_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/system_proxy_test.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/file_write_test.cpp
  LIBS pc_platform pc_test_temp_dir)
