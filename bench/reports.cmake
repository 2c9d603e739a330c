# The reports to PDF and the first preview page, against a floor that draws
# the same texts on QPdfWriter without any layout (Qt's offscreen platform).
if(PC_BUILD_GUI)
  pc_add_bench(bench_reports SOURCES reports_bench.cpp LIBS pc_gui)
  target_include_directories(bench_reports PRIVATE ${PROJECT_SOURCE_DIR}/tests)
endif()
