pc_add_test(test_termijn_grid
  SOURCES
    amount_reading_test.cpp
    termijn_grid_test.cpp
    termijn_cell_edit_test.cpp
    termijn_paste_test.cpp
  LIBS pc_installments)
