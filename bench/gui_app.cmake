# The window program's start, open and undo, offscreen, with the bare
# QMainWindow start as the baseline in the same run.
if(PC_BUILD_GUI)
  find_package(Qt6 REQUIRED COMPONENTS Widgets)
  add_executable(bench_gui_start_child gui_start_child.cpp)
  target_link_libraries(bench_gui_start_child PRIVATE pc_gui)
  add_executable(bench_bare_window_child bare_window_child.cpp)
  target_link_libraries(bench_bare_window_child PRIVATE Qt6::Widgets)
  pc_add_bench(bench_gui_app SOURCES gui_app_bench.cpp full_project.cpp full_project.h
               LIBS pc_gui)
  target_compile_definitions(bench_gui_app PRIVATE
    PC_START_CHILD="$<TARGET_FILE:bench_gui_start_child>"
    PC_BARE_CHILD="$<TARGET_FILE:bench_bare_window_child>"
    PC_EXAMPLES_DIR="${PROJECT_SOURCE_DIR}/examples")
  add_dependencies(bench_gui_app bench_gui_start_child bench_bare_window_child)
endif()
