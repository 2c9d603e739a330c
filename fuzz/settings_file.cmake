pc_add_fuzz(fuzz_settings_file SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/settings_file_fuzz.cpp LIBS pc_platform)
