pc_add_test(test_project_start
  SOURCES start_tiles_test.cpp index_switch_test.cpp
  LIBS pc_project_start pc_project pc_platform)
