target_sources(pc_gui PRIVATE
  component_dialog.cpp component_dialog.h component_dialog.ui
  index_grid_model.cpp index_grid_model.h
  index_grid_view.cpp index_grid_view.h
  index_menu.cpp index_menu.h
  index_page.cpp index_page.h index_page.ui)
