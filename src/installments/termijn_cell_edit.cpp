#include "installments/termijn_cell_edit.h"

#include <cmath>
#include <limits>
#include <string>

#include "common/text_routines.h"
#include "indextable/bd_config.h"
#include "installments/amount_reading.h"
#include "installments/termijn_grid.h"

namespace pc {
namespace {

constexpr double kKeep = std::numeric_limits<double>::infinity();

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return std::string();
  const std::size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

TComponentAmounts KeepAll() {
  TComponentAmounts amounts;
  amounts.fill(kKeep);
  return amounts;
}

TCellEditResult CommitEntry(TTermijnConfig& set, bool changed) {
  TCellEditResult result;
  result.Changed = changed;
  if (set.NewEntryComplete() && set.CommitNewEntry()) {
    result.Changed = true;
    result.Recalculate = true;
    result.SelectRow = set.CurrentRow();
  }
  return result;
}

TCellEditResult CommitNewRow(TTermijnConfig& set, int column, const std::string& before, const std::string& text) {
  if (text == before) return {};
  const TNewEntry& entry = set.NewEntry();
  switch (column) {
    case 1: {
      const std::string name = CutText(text, kMaxInstallmentNameLength);
      if (name == entry.Name) return {};
      set.SetNewName(name);
      return CommitEntry(set, true);
    }
    case 3: {
      if (text.empty()) {
        const bool had = entry.EndDate != 0;
        set.SetNewEndDate(0);
        return {had, false, 0};
      }
      const TEndDateResult checked = set.CheckEndDate(text, true);
      if (checked.Code != TEndDateCheck::Valid) return {};
      set.SetNewEndDate(checked.Date);
      return CommitEntry(set, true);
    }
    case 5:
    case 6: {
      const bool isComponent = column == 6;
      const double value = ReadInstallmentAmount(text);
      const double stored = isComponent ? entry.ComponentAmount : entry.Amount;
      if (value == 0) {
        if (isComponent)
          set.SetNewComponentAmount(0, 0);
        else
          set.SetNewAmount(0);
        return {stored != 0, false, 0};
      }
      if (!set.NewAmountAllowed(value, isComponent)) return {};
      if (isComponent)
        set.SetNewComponentAmount(set.CurrentComponent(), value);
      else
        set.SetNewAmount(value);
      return CommitEntry(set, value != stored);
    }
    default: return {};
  }
}

TCellEditResult Deleted(TTermijnConfig& set, int row) {
  if (!set.DeleteInstallment(row)) return {};
  return {true, true, 0};
}

TCellEditResult CommitInstallmentRow(TTermijnConfig& set, int row, int column, const std::string& before,
                                     const std::string& text) {
  int slot = 0;
  TInstallmentData data;
  if (!set.GetInstallmentAtRow(row, slot, data)) return {};
  switch (column) {
    case 1: {
      if (text.empty()) return Deleted(set, row);
      const std::string name = CutText(text, kMaxInstallmentNameLength);
      if (name == before || name == data.Name) return {};
      const bool ok = set.ChangeInstallment(row, name, KeepAll(), kKeep, 0);
      return {ok, false, 0};
    }
    case 3: {
      if (text.empty()) return Deleted(set, row);
      if (text == before) return {};
      const TEndDateResult checked = set.CheckEndDate(text, true);
      if (checked.Code != TEndDateCheck::Valid) return {};
      if (std::floor(checked.Date) == std::floor(data.EndDate)) return {};
      if (!set.ChangeInstallment(row, data.Name, data.ComponentAmounts, data.Amount, checked.Date)) return {};
      return {true, true, set.CurrentRow()};
    }
    case 5: {
      if (text == before) return {};
      const double value = ReadInstallmentAmount(text);
      if (value == data.Amount) return {};
      const bool ok = set.ChangeInstallment(row, "", KeepAll(), value, 0);
      return {ok, ok, 0};
    }
    case 6: {
      if (text == before) return {};
      const TBDConfig* table = set.IndexTable();
      const int position = set.CurrentComponent();
      if (!table || position < 1 || position > table->Count() || !table->GetComponent(position).Variable)
        return {};
      const int componentSlot = table->SlotAt(position);
      const double value = ReadInstallmentAmount(text);
      if (value == data.ComponentAmounts[static_cast<std::size_t>(componentSlot)]) return {};
      TComponentAmounts amounts = KeepAll();
      amounts[static_cast<std::size_t>(componentSlot)] = value;
      const bool ok = set.ChangeInstallment(row, "", amounts, kKeep, 0);
      return {ok, ok, 0};
    }
    default: return {};
  }
}

}  // namespace

TCellEditResult CommitInstallmentCell(TTermijnConfig& set, int row, int column, std::string_view before,
                                      std::string_view after) {
  const std::string text = Trimmed(after);
  const std::string old = Trimmed(before);
  if (row == set.RowCount() + 1) return CommitNewRow(set, column, old, text);
  if (row < 1 || row > set.RowCount()) return {};
  return CommitInstallmentRow(set, row, column, old, text);
}

}  // namespace pc
