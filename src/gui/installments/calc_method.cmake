# The calculation-method choice dialog.
target_sources(pc_gui PRIVATE calc_method_dialog.cpp calc_method_dialog.h calc_method_dialog.ui)
