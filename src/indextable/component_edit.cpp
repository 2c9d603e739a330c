#include "indextable/component_edit.h"

namespace pc {

TComponentEditResult ApplyComponentEdit(TBDConfig& table, int position, TComponentValues values) {
  const std::uint8_t kind = table.TableKind();
  if (kind == table_kind::kWriteProtected) return TComponentEditResult::Unchanged;
  if (values.Name.size() > kMaxComponentNameLength) values.Name.resize(kMaxComponentNameLength);
  if (position == 0) {
    if (kind != table_kind::kEditable || values.Name.empty()) return TComponentEditResult::Unchanged;
    if (table.ComponentExists(values.Name)) return TComponentEditResult::DuplicateName;
    if (table.NextPosition() == 0) return TComponentEditResult::TableFull;
    return table.AddComponent(values) != 0 ? TComponentEditResult::Changed : TComponentEditResult::TableFull;
  }
  const int slot = table.SlotAt(position);
  if (slot == 0) return TComponentEditResult::Unchanged;
  const TBDRecord& old = table.GetComponent(position);
  if (kind == table_kind::kDownloaded) values.Name = old.Name;
  if (values.Name.empty()) return TComponentEditResult::Unchanged;
  const int found = table.FindComponent(values.Name);
  if (found != 0 && found != slot) return TComponentEditResult::DuplicateName;
  return table.ChangeComponent(position, values) ? TComponentEditResult::Changed : TComponentEditResult::Unchanged;
}

}  // namespace pc
