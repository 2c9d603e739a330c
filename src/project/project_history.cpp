#include "project/project_history.h"

#include <utility>
#include <vector>

namespace pc::project {

TProject::TProject(const TProjectServices* services) : services_(services) { Reset(true); }

std::unique_ptr<TProjectData> TProject::NewEntry() const {
  return std::make_unique<TProjectData>(services_);
}

void TProject::Reset(bool newEntry) {
  undo_.clear();
  redo_.clear();
  if (newEntry) undo_.push_back(NewEntry());
}

void TProject::NewDocument() {
  Reset(true);
  Current().InitNew();
}

bool TProject::OpenDocument(const std::string& projectPath, const std::string& indexPath) {
  auto document = NewEntry();
  if (!document->Open(projectPath, indexPath)) return false;
  Reset(false);
  undo_.push_back(std::move(document));
  return true;
}

bool TProject::SaveDocument(const std::string& path) {
  const bool ok = Current().SaveAll(path);
  if (ok) Collapse();
  return ok;
}

void TProject::Collapse() {
  redo_.clear();
  while (undo_.size() > 1) undo_.pop_front();
}

void TProject::BeginStep(bool commit) {
  if (UiStateSource) Current().Ui = UiStateSource();
  auto next = NewEntry();
  next->CopyFrom(Current());
  next->Modified = true;
  undo_.push_back(std::move(next));
  if (commit) CommitStep();
}

void TProject::CommitStep() {
  redo_.clear();
  while (undo_.size() > kHistoryLimit) undo_.pop_front();
}

void TProject::DropStep() {
  if (undo_.size() >= 2) undo_.pop_back();
}

void TProject::Undo() {
  if (undo_.size() < 2) return;
  redo_.push_back(std::move(undo_.back()));
  undo_.pop_back();
  if (OnRestore) OnRestore();
}

void TProject::Redo() {
  if (redo_.empty()) return;
  undo_.push_back(std::move(redo_.back()));
  redo_.pop_back();
  if (OnRestore) OnRestore();
}

void TProject::RelinkOnlineInfo(const settings::DownloadedIndexInfoPtr& oldEntry,
                                const settings::DownloadedIndexInfoPtr& newEntry) {
  for (auto* list : {&undo_, &redo_})
    for (auto& document : *list)
      if (document->OnlineInfo == oldEntry) document->OnlineInfo = newEntry;
}

void TProject::DeleteComponent(int position) {
  BeginStep(true);
  TProjectData& d = Current();
  if (!d.IndexTable) return;
  const int slot = d.IndexTable->SlotAt(position);
  if (slot == 0) return;
  d.IndexTable->DeleteComponent(position);
  if (d.Installments) d.Installments->DropComponentAmounts(slot);
}

void TProject::SetIndexPeriod(TMonthKey first, TMonthKey last, bool skipStep) {
  if (!skipStep) BeginStep(true);
  TProjectData& d = Current();
  d.EnsureModels();
  TBDConfig& table = *d.IndexTable;
  table.ResetRanges(false);
  table.SetPeriodStart(first);
  table.SetPeriodEnd(last);
  if (table.TableKind() == table_kind::kDownloaded && !d.IndexPath.empty()) {
    // The file is read again for the new period; reading it replaces the
    // component settings, which are the project's own, so they are set
    // aside and put back.
    std::vector<TComponentValues> kept;
    for (int position = 1; position <= table.Count(); ++position)
      kept.push_back(table.GetComponent(position));
    d.SwitchIndexFile(d.IndexPath, true);
    for (const TComponentValues& values : kept) {
      const int slot = d.IndexTable->FindComponent(values.Name);
      if (slot != 0) d.IndexTable->ChangeComponent(0, values, slot);
    }
  } else {
    table.RebuildMonthList();
    table.RebuildAllCarryForward();
  }
}

void TProject::ExtendPeriodToPriceMonth() {
  TProjectData& d = Current();
  if (!d.IndexTable) return;
  if (FirstDayOf(d.IndexTable->PeriodStart()) > DateOf(d.PriceReferenceDate))
    SetIndexPeriod(MonthKeyOf(d.PriceReferenceDate), d.IndexTable->PeriodEnd(), true);
}

bool TProject::AdjustPeriodToPriceMonth(TMonthKey& first, TMonthKey& last) const {
  const TDateTime price = DateOf(Current().PriceReferenceDate);
  const TMonthKey priceMonth = MonthKeyOf(price);
  if (priceMonth == 0) return false;
  bool set = false;
  if (FirstDayOf(first) > price) {
    first = priceMonth;
    set = true;
  }
  if (FirstDayOf(last) < price) {
    last = priceMonth;
    set = true;
  }
  return set;
}

void TProject::SetIndexPicture(const TPicture* picture) {
  const auto& current = Current().IndexPicture;
  const bool same = picture == nullptr ? current == nullptr
                                       : current != nullptr && *current == *picture;
  if (same) return;
  BeginStep(true);
  if (picture == nullptr)
    Current().IndexPicture.reset();
  else
    Current().IndexPicture = std::make_shared<const TPicture>(*picture);
}

}  // namespace pc::project
