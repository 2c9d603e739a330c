find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
pc_add_test(test_pictures
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/picture_test_files.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_strings_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_size_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_crop_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/project_logo_test.cpp
  LIBS pc_pictures pc_project pc_platform PNG::PNG JPEG::JPEG
  LABELS threads)
