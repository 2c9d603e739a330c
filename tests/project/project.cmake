pc_add_test(test_project_files
  SOURCES file_result_test.cpp index_location_test.cpp
  LIBS pc_project)
pc_add_test(test_project_document
  SOURCES project_document_test.cpp index_persistence_test.cpp project_history_test.cpp
    document_commands_test.cpp
  LIBS pc_project pc_platform)
pc_add_test(test_project_json
  SOURCES project_json_test.cpp
  LIBS pc_project_json pc_platform)
