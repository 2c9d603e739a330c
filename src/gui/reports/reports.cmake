target_sources(pc_gui PRIVATE report_commands.cpp report_commands.h)
