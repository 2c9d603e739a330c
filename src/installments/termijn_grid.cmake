# The installment grid's contents, cell edits and pasted installments.
target_sources(pc_installments PRIVATE
  amount_reading.cpp amount_reading.h
  termijn_grid.cpp termijn_grid.h
  termijn_cell_edit.cpp termijn_cell_edit.h
  termijn_paste.cpp termijn_paste.h)
