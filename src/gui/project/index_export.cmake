# The index export dialog of the advanced index export.
target_sources(pc_gui PRIVATE index_export_dialog.cpp index_export_dialog.h index_export_dialog.ui)
