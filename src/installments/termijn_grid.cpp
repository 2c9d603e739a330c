#include "installments/termijn_grid.h"

#include <algorithm>
#include <set>

#include "common/date_text.h"
#include "common/number_text.h"
#include "indextable/bd_config.h"

namespace pc {
namespace {

const char* const kHeaders[kGridColumns] = {"",      "Termijnnaam",   "Begindatum", "Einddatum",   "Dagen",
                                            "Termijnbedrag", "",      "Correctie",  "Te verrekenen"};
const int kWidths[kGridColumns] = {20, 130, 70, 70, 40, 105, 105, 64, 80};

TGridCell Text(std::string text, TCellAlign align) {
  TGridCell cell;
  cell.Text = std::move(text);
  cell.Align = align;
  return cell;
}

TGridCell Money(double amount) {
  TGridCell cell = Text(FormatAmount(amount), TCellAlign::Right);
  cell.Euro = true;
  return cell;
}

std::string DateText(TDateTime date) { return date > 0 ? FormatShortDate(date) : std::string(); }

std::string WithoutDots(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
  return text;
}

}  // namespace

std::string NewRowPlaceholder(int column) {
  switch (column) {
    case 1: return "(Termijn toevoegen)";
    case 3: return "(Datum)";
    case 5:
    case 6: return "(Bedrag)";
    default: return std::string();
  }
}

TTermijnGrid::TTermijnGrid(const TTermijnConfig& set) : set_(&set) {
  const TBDConfig* table = set.IndexTable();
  const int position = set.CurrentComponent();
  if (table && position >= 1 && position <= table->Count()) {
    position_ = position;
    componentSlot_ = table->SlotAt(position);
    const TBDRecord& record = table->GetComponent(position);
    variable_ = record.Variable;
    caption_ = table->ComponentCaptionAt(position);
    start_ = set.StartRuleDate(position);
  }
}

TGridRowKind TTermijnGrid::RowKind(int row) const {
  if (row == NewEntryRow()) return TGridRowKind::NewEntry;
  const TRowRef ref = set_->RowAt(row);
  if (ref.Slot == 0) return TGridRowKind::None;
  return ref.SubPeriod == 0 ? TGridRowKind::Installment : TGridRowKind::SubPeriod;
}

TGridCell TTermijnGrid::Cell(int row, int column) const {
  if (column < 0 || column >= kGridColumns) return {};
  if (row == NewEntryRow()) return NewEntryCell(column);
  const TRowRef ref = set_->RowAt(row);
  if (ref.Slot == 0) return {};
  return ref.SubPeriod == 0 ? InstallmentCell(ref.Slot, column) : SubPeriodCell(ref.Slot, ref.SubPeriod, column);
}

TGridCell TTermijnGrid::InstallmentCell(int slot, int column) const {
  TGridCell cell;
  switch (column) {
    case 0:
      cell.Group = set_->Expanded(slot) ? TGroupMark::Expanded : TGroupMark::Collapsed;
      break;
    case 1:
      cell = Text(set_->Name(slot), TCellAlign::Left);
      cell.Editable = true;
      break;
    case 2: cell = Text(DateText(set_->BeginDate(slot)), TCellAlign::Right); break;
    case 3:
      cell = Text(DateText(set_->EndDate(slot)), TCellAlign::Right);
      cell.Editable = true;
      break;
    case 4: cell = Text(std::to_string(set_->Days(slot)), TCellAlign::Right); break;
    case 5:
      cell = Money(set_->Amount(slot));
      cell.Editable = true;
      break;
    case 6:
      cell = Money(set_->InstallmentComponentAmount(slot));
      cell.Editable = variable_;
      break;
    case 7: break;
    case 8: cell = Money(set_->InstallmentCorrection(slot)); break;
    default: break;
  }
  cell.Bold = true;
  return cell;
}

TGridCell TTermijnGrid::SubPeriodCell(int slot, int index, int column) const {
  const std::span<const TTermijnPeriod> periods = set_->SubPeriods(slot);
  if (index < 1 || static_cast<std::size_t>(index) > periods.size()) return {};
  const TTermijnPeriod& p = periods[static_cast<std::size_t>(index - 1)];
  TGridCell cell;
  switch (column) {
    case 2: cell = Text(DateText(p.BeginDate), TCellAlign::Right); break;
    case 3: cell = Text(DateText(p.EndDate), TCellAlign::Right); break;
    case 4: cell = Text(std::to_string(p.Days), TCellAlign::Right); break;
    case 5: cell = Money(p.Amount); break;
    case 6: cell = Money(p.Result.ComponentAmount); break;
    case 7: cell = Text(FormatTwoDecimals(2, p.Result.Change) + " %", TCellAlign::Right); break;
    case 8: cell = Money(p.Result.Correction); break;
    default: break;
  }
  if (column != 0) {
    const bool beforeSettlement = start_.Restricted && p.BeginDate < start_.Date;
    cell.Background = beforeSettlement ? TCellBackground::LightRed : TCellBackground::Tooltip;
  }
  return cell;
}

TGridCell TTermijnGrid::NewEntryCell(int column) const {
  const TNewEntry& entry = set_->NewEntry();
  std::string value;
  bool editable = false;
  switch (column) {
    case 1:
      value = entry.Name;
      editable = true;
      break;
    case 3:
      value = DateText(entry.EndDate);
      editable = true;
      break;
    case 5:
      if (entry.Amount > 0) value = FormatAmount(entry.Amount);
      editable = true;
      break;
    case 6:
      if (!variable_) break;
      if (entry.ComponentAmount > 0) value = FormatAmount(entry.ComponentAmount);
      editable = true;
      break;
    default: break;
  }
  TGridCell cell;
  cell.Editable = editable;
  if (!editable) return cell;
  if (value.empty()) {
    cell.Text = NewRowPlaceholder(column);
    cell.Align = TCellAlign::Center;
    cell.Foreground = TCellForeground::Silver;
    cell.Placeholder = true;
    return cell;
  }
  // A value typed but not yet added shows as an entered value.
  cell.Text = std::move(value);
  cell.Bold = true;
  cell.Align = column == 1 ? TCellAlign::Left : TCellAlign::Right;
  cell.Euro = column >= 5;
  return cell;
}

std::string TTermijnGrid::Header(int column) const {
  if (column == 6) return caption_;
  if (column < 0 || column >= kGridColumns) return std::string();
  return kHeaders[column];
}

int TTermijnGrid::ColumnWidth(int column, int captionTextWidth) {
  if (column < 0 || column >= kGridColumns) return 0;
  if (column == 6) return std::max(105, captionTextWidth + 15);
  return kWidths[column];
}

std::string TTermijnGrid::ComponentTotalText() const {
  return FormatAmount(position_ ? set_->CorrectionTotal(position_) : 0.0);
}
std::string TTermijnGrid::ProjectTotalText() const { return FormatAmount(set_->CorrectionTotal(0)); }
bool TTermijnGrid::ComponentTotalNegative() const {
  return position_ && set_->CorrectionTotal(position_) < 0;
}
bool TTermijnGrid::ProjectTotalNegative() const { return set_->CorrectionTotal(0) < 0; }

void TTermijnGrid::NextEditableCell(int& row, int& column, bool forward) const {
  const int last = NewEntryRow();
  if (forward) {
    for (int c = column + 1; c < kGridColumns; ++c)
      if (Cell(row, c).Editable) {
        column = c;
        return;
      }
    for (int r = row + 1; r <= last; ++r)
      if (Cell(r, 1).Editable) {
        row = r;
        column = 1;
        return;
      }
    row = 1;
    column = 1;
    return;
  }
  for (int c = column - 1; c >= 0; --c)
    if (Cell(row, c).Editable) {
      column = c;
      return;
    }
  for (int r = row - 1; r >= 1; --r)
    if (Cell(r, 5).Editable) {
      row = r;
      column = 5;
      return;
    }
  row = last;
  column = 5;
}

std::string TTermijnGrid::CopyText(int top, int left, int bottom, int right) const {
  std::string text;
  for (int r = top; r <= bottom; ++r) {
    if (r > top) text.push_back('\r');
    bool first = true;
    for (int c = std::max(1, left); c <= right && c < kGridColumns; ++c) {
      if (!first) text.push_back('\t');
      first = false;
      const TGridCell cell = Cell(r, c);
      std::string field = cell.Placeholder ? std::string() : cell.Text;
      if (c == 5 || c == 6 || c == 8) field = WithoutDots(std::move(field));
      text += field.empty() ? std::string(" ") : field;
    }
  }
  return text;
}

bool TTermijnGrid::HasCopyText(int top, int left, int bottom, int right) const {
  for (int r = top; r <= bottom; ++r)
    for (int c = std::max(1, left); c <= right && c < kGridColumns; ++c) {
      const TGridCell cell = Cell(r, c);
      if (!cell.Placeholder && !cell.Text.empty()) return true;
    }
  return false;
}

std::vector<int> ChoosableComponents(const TBDConfig& table) {
  std::vector<int> positions;
  for (int p = 1; p <= table.Count(); ++p)
    if (TakesPart(table.GetComponent(p))) positions.push_back(p);
  return positions;
}

int PreferredComponent(const TBDConfig& table, int current) {
  const std::vector<int> positions = ChoosableComponents(table);
  if (positions.empty()) return 0;
  if (std::find(positions.begin(), positions.end(), current) != positions.end()) return current;
  return positions.front();
}

int DeleteInstallmentRows(TTermijnConfig& set, int top, int bottom) {
  std::set<int> slots;
  for (int r = std::max(1, top); r <= bottom && r <= set.RowCount(); ++r)
    if (const int slot = set.RowAt(r).Slot) slots.insert(slot);
  for (auto it = slots.rbegin(); it != slots.rend(); ++it) set.DeleteInstallmentSlot(*it);
  return static_cast<int>(slots.size());
}

}  // namespace pc
