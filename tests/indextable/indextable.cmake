pc_add_test(test_indextable SOURCES
  month_key_test.cpp
  bd_components_test.cpp
  bd_figures_test.cpp
  bd_copy_test.cpp
  LIBS pc_indextable)
pc_add_test(test_indextable_threads SOURCES
  bd_threads_test.cpp
  LIBS pc_indextable
  LABELS threads)
