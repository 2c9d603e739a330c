pc_add_test(test_reports
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/index_feed_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/installment_feed_test.cpp
  LIBS pc_reports)
target_include_directories(test_reports PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(test_reports PRIVATE PC_EXAMPLES_DIR="${CMAKE_SOURCE_DIR}/examples")
