pc_add_fuzz(fuzz_index_table SOURCES index_table_fuzz.cpp LIBS pc_indextable)
