target_sources(pc_gui PRIVATE
  frm_dlg.cpp frm_dlg.h frm_dlg.ui
  kl_dialog.cpp kl_dialog.h kl_dialog.ui)
