target_sources(pc_gui PRIVATE config_form.cpp config_form.h config_form.ui)
target_link_libraries(pc_gui PUBLIC pc_settings_options)
