pc_add_fuzz(fuzz_text_reading SOURCES text_reading_fuzz.cpp LIBS pc_common)
