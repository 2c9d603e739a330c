pc_add_core_library(pc_indextable SOURCES
  bd_config.cpp
  bd_config_figures.cpp
  bd_record.cpp
  month_key.cpp
  LIBS pc_common
)
