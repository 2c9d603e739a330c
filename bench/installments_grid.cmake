if(PC_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  pc_add_bench(bench_installments_grid SOURCES installments_grid_bench.cpp LIBS pc_gui)
endif()
