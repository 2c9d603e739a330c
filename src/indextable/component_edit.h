// Applying what the component dialog returns to the index table: the rules
// on names, percentages and what each table kind lets the user change.
#pragma once

#include <string>

#include "indextable/bd_config.h"

namespace pc {

inline constexpr const char* kDuplicateComponentMessage = "Fout: Er is reeds een bestanddeel met deze naam!";
inline constexpr const char* kDeleteComponentQuestion =
    "Weet u zeker dat u dit bestanddeel uit de indextabel wilt verwijderen?";

enum class TComponentEditResult {
  Unchanged,      // nothing to do (empty name, same values, locked table)
  Changed,        // the component was changed or added
  DuplicateName,  // refused: another component has that name
  TableFull,      // refused: 50 components
};

// Adds a component (position 0) or changes the one at `position`, as the
// table's kind allows: a write-protected table changes nothing, a table of
// downloaded figures keeps the component's name and adds nothing. A name
// that another component holds (letter case ignored) is refused; renaming a
// component into its own name in other letter case is allowed.
TComponentEditResult ApplyComponentEdit(TBDConfig& table, int position, TComponentValues values);

}  // namespace pc
