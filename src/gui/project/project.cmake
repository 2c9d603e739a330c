target_sources(pc_gui PRIVATE project_page.cpp project_page.h project_commands.cpp project_commands.h)
