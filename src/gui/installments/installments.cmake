target_sources(pc_gui PRIVATE
  installments_page.cpp installments_page.h
  installments_message_page.cpp installments_message_page.h)
