pc_add_test(test_installments
  SOURCES
    worked_example_test.cpp
    sub_period_cut_test.cpp
    correction_cases_test.cpp
    termijn_config_test.cpp
    copy_on_write_test.cpp
    calc_method_test.cpp
  LIBS pc_installments)
