target_sources(pc_gui PRIVATE index_page.cpp index_page.h index_menu.cpp index_menu.h)
