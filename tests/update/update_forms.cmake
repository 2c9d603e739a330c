pc_add_test(test_update_form_texts
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/form_texts_test.cpp
  LIBS pc_update)
