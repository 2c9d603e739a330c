target_sources(pc_gui PRIVATE update_hosting.cpp update_hosting.h)
