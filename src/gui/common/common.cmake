target_sources(pc_gui PRIVATE
  qt_text.cpp qt_text.h
  window_page.cpp window_page.h
  window_services.h
  send_mail.cpp send_mail.h)
