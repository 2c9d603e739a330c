# Pictures kept by documents (print logo, index file picture) and their
# text form inside document records.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
pc_add_core_library(pc_pictures
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/picture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_crop.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_size.cpp
    ${CMAKE_CURRENT_LIST_DIR}/picture_strings.cpp
  LIBS PNG::PNG JPEG::JPEG)
