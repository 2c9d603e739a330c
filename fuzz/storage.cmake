find_package(ZLIB REQUIRED)
pc_add_fuzz(fuzz_storage_reader
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/storage_reader_fuzz.cpp
  LIBS pc_storage ZLIB::ZLIB)
pc_add_fuzz(fuzz_picture_text
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/picture_text_fuzz.cpp
  LIBS pc_pictures)
pc_add_fuzz(fuzz_picture_crop
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/picture_crop_fuzz.cpp
  LIBS pc_pictures)
