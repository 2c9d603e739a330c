// What the installment grid shows: the cells of its nine columns for the
// installment set's current component, the new-installment row, the two
// correction totals, and the component chooser's entries. GUI-free: a window
// maps these cells onto its own widgets.
//
// Rows are numbered as the set's row map numbers them: 1..RowCount show
// installments and sub-periods, RowCount + 1 is the new-installment row.
// Columns: 0 group mark, 1 name, 2 begin date, 3 end date, 4 days,
// 5 installment amount, 6 amount of the current component, 7 change,
// 8 correction ("Te verrekenen").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "installments/termijn_config.h"

namespace pc {

inline constexpr int kGridColumns = 9;

enum class TCellAlign : std::uint8_t { Left, Right, Center };
// Backgrounds: white; the system's tooltip colour (sub-periods); light red
// RGB(255, 136, 136) for sub-periods before a component's settlement date.
enum class TCellBackground : std::uint8_t { White, Tooltip, LightRed };
// Text colours: black; silver RGB(192, 192, 192) for placeholders.
enum class TCellForeground : std::uint8_t { Black, Silver };
// The group mark in column 0 of an installment row.
enum class TGroupMark : std::uint8_t { None, Collapsed, Expanded };
enum class TGridRowKind : std::uint8_t { None, Installment, SubPeriod, NewEntry };

struct TGridCell {
  std::string Text;
  TCellAlign Align = TCellAlign::Left;
  TCellBackground Background = TCellBackground::White;
  TCellForeground Foreground = TCellForeground::Black;
  bool Bold = false;
  bool Editable = false;     // framed and editable; every other cell is read-only
  bool Euro = false;         // the "€" unit mark at the cell's left edge
  bool Placeholder = false;  // a new-row cell showing its placeholder text
  TGroupMark Group = TGroupMark::None;
};

// The placeholder of a new-row column (1, 3, 5, 6), empty for the others.
std::string NewRowPlaceholder(int column);

// The grid of one installment set for its current component. Cheap to make.
// The component (caption, variable flag, settlement start) is read when it
// is made; everything else is read from the set on every call.
class TTermijnGrid {
 public:
  explicit TTermijnGrid(const TTermijnConfig& set);

  int DataRows() const { return set_->RowCount(); }
  int NewEntryRow() const { return set_->RowCount() + 1; }
  TGridRowKind RowKind(int row) const;
  TGridCell Cell(int row, int column) const;
  // The header texts: column 6 is the current component's caption.
  std::string Header(int column) const;
  // Column widths in pixels; column 6 from the caption's text width.
  static int ColumnWidth(int column, int captionTextWidth);

  // The correction of the current component ("Bestanddeel:") and of the
  // whole project ("Project:"), money format; negative values show maroon.
  std::string ComponentTotalText() const;
  std::string ProjectTotalText() const;
  bool ComponentTotalNegative() const;
  bool ProjectTotalNegative() const;

  // Whether the current component is variable (column 6 can be edited).
  bool ComponentVariable() const { return variable_; }
  // The slot of the current component in the index table; 0 when none.
  int ComponentSlot() const { return componentSlot_; }

  // Tab navigation: the next editable cell to the right in the row, else
  // column 1 of the next row whose column 1 is editable, else column 1 of
  // row 1. Backwards: the previous editable cell to the left, else column 5
  // of the nearest row above whose column 5 is editable, else column 5 of
  // the last row.
  void NextEditableCell(int& row, int& column, bool forward) const;

  // The clipboard text of the rectangle of rows top..bottom and columns
  // left..right (column 0 is never copied): one line per row joined by CR,
  // fields joined by TAB; amounts without "."; an empty cell or placeholder
  // becomes a single blank.
  std::string CopyText(int top, int left, int bottom, int right) const;
  // Whether the rectangle holds at least one cell with text (placeholders
  // count as empty).
  bool HasCopyText(int top, int left, int bottom, int right) const;

 private:
  TGridCell InstallmentCell(int slot, int column) const;
  TGridCell SubPeriodCell(int slot, int index, int column) const;
  TGridCell NewEntryCell(int column) const;

  const TTermijnConfig* set_;
  int position_ = 0;
  int componentSlot_ = 0;
  bool variable_ = false;
  std::string caption_;
  TSettlementStart start_;
};

// The component chooser: the positions of the components that take part in
// the calculation (variable or a percentage other than 0), in position order.
std::vector<int> ChoosableComponents(const TBDConfig& table);
// The component the chooser selects: `current` when it can be chosen, else
// the first that can; 0 when none can.
int PreferredComponent(const TBDConfig& table, int current);

// Removes the installments shown in rows top..bottom (a sub-period row
// stands for its installment; each installment once; the new-installment
// row is skipped), highest slot first. Returns how many were removed.
int DeleteInstallmentRows(TTermijnConfig& set, int top, int bottom);

}  // namespace pc
