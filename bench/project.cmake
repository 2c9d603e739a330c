pc_add_bench(bench_project SOURCES project_history_bench.cpp LIBS pc_project)
