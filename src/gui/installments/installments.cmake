target_sources(pc_gui PRIVATE
  installments_page.cpp installments_page.h installments_page.ui
  installments_message_page.cpp installments_message_page.h
  installment_grid_model.cpp installment_grid_model.h
  installment_grid_view.cpp installment_grid_view.h
  paste_installments_dialog.cpp paste_installments_dialog.h paste_installments_dialog.ui)
