# The figures as the grid shows them and their exchange as clipboard text.
target_sources(pc_indextable PRIVATE
  bd_config_bulk.cpp
  component_edit.cpp component_edit.h
  figure_clipboard.cpp figure_clipboard.h)
