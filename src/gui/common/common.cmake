target_sources(pc_gui PRIVATE
  qt_text.cpp qt_text.h
  window_page.cpp window_page.h
  window_services.h)
