pc_add_core_library(pc_installments
  SOURCES
    settlement_start.cpp
    sub_period_cut.cpp
    termijn_config.cpp
    correction_calc.cpp
    calc_method.cpp
  LIBS pc_indextable pc_common)
