# The index page on Qt's offscreen platform.
if(TARGET pc_gui)
  pc_add_bench(bench_index_page SOURCES index_page_bench.cpp LIBS pc_gui)
  set_target_properties(bench_index_page PROPERTIES AUTOMOC ON)
endif()
