target_sources(pc_gui PRIVATE
  update_hosting.cpp update_hosting.h
  update_alert.cpp update_alert.h
  view_log_form.cpp view_log_form.h view_log_form.ui
  update_downloaded_form.cpp update_downloaded_form.h update_downloaded_form.ui
  online_index_info_form.cpp online_index_info_form.h online_index_info_form.ui
  update_config_frame.cpp update_config_frame.h update_config_frame.ui)
