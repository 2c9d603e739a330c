find_package(ZLIB REQUIRED)
pc_add_bench(bench_storage
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/storage_bench.cpp
  LIBS pc_storage ZLIB::ZLIB)
