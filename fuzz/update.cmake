pc_add_fuzz(fuzz_update_info SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/update_info_fuzz.cpp LIBS pc_update)
