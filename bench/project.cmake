pc_add_bench(bench_project SOURCES project_history_bench.cpp full_project.cpp full_project.h LIBS pc_project)
