find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
pc_add_test(test_pictures
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/picture_test_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_strings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_size_test.cpp
  LIBS pc_pictures PNG::PNG JPEG::JPEG
  LABELS threads)
