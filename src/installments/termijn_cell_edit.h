// What a committed edit of an installment grid cell does to the installment
// set: the rules per column for the new-installment row and for the rows of
// existing installments. GUI-free; the window opens the undo step before and
// commits it when the result says something changed.
#pragma once

#include <string_view>

#include "installments/termijn_config.h"

namespace pc {

struct TCellEditResult {
  // The set changed: the undo step is kept.
  bool Changed = false;
  // The change needs a calculation run and a refill of the whole grid.
  bool Recalculate = false;
  // After a new installment or a moved end date: the row the cursor goes to.
  int SelectRow = 0;
};

// Applies `after` typed in (`row`, `column`) of the grid of `set`, where the
// cell showed `before` (the editor's text: empty for a placeholder). Rows
// and columns as in installments/termijn_grid.h. Texts are trimmed; names
// are cut to 25 characters; amounts are read with ReadInstallmentAmount.
// New-installment row: name, end date (checked with messages) and amounts
// (checked with NewAmountAllowed) go into the new entry, which is added
// once it has a name and an end date. Installment rows: an empty name or end
// date deletes the installment; a new name, amount or component amount is
// stored; a new end date (checked with messages) moves the installment.
// Refused values change nothing; the window shows the stored value again.
TCellEditResult CommitInstallmentCell(TTermijnConfig& set, int row, int column, std::string_view before,
                                      std::string_view after);

}  // namespace pc
