#include "installments/termijn_config.h"

#include <bit>
#include <cmath>

#include "common/date_text.h"
#include "indextable/bd_config.h"
#include "installments/day_calendar.h"
#include "installments/termijn_storage.h"

namespace pc {

using installments::TInstallmentBlock;
using installments::TInstallmentRecord;
using installments::TResultBlock;
using installments::TRowMap;

namespace {

constexpr int kB = TTermijnConfig::kBlockSize;

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

// Whether a date value names a calendar day of the years 1..9999.
bool IsUsableDate(TDateTime date) {
  if (!std::isfinite(date)) return false;
  const double whole = std::trunc(date);
  return whole >= installments::kFirstSupportedDay && whole <= installments::kLastSupportedDay;
}

// The day of a usable date, time of day cut off toward zero.
std::int32_t DayOf(TDateTime date) { return static_cast<std::int32_t>(std::trunc(date)); }

TDateTime WholeDayOrZero(TDateTime date) { return IsUsableDate(date) ? std::trunc(date) : 0.0; }

const TInstallmentRecord kEmptyRecord{};

bool AllFinite(const TComponentAmounts& amounts, bool allowKeep) {
  for (int i = 1; i <= kMaxComponents; ++i) {
    const double v = amounts[i];
    if (!std::isfinite(v) && !(allowKeep && v == HUGE_VAL)) return false;
  }
  return true;
}

}  // namespace

bool installments::SameResults(const TResultBlock& a, const TResultBlock& b) {
  if (a.First != b.First || a.Days != b.Days || a.Periods.size() != b.Periods.size()) return false;
  for (int i = 0; i < kB; ++i) {
    if (!SameBits(a.BeginDate[i], b.BeginDate[i])) return false;
  }
  for (std::size_t i = 0; i < a.Periods.size(); ++i) {
    const TTermijnPeriod& x = a.Periods[i];
    const TTermijnPeriod& y = b.Periods[i];
    if (x.Days != y.Days || x.Component != y.Component || !SameBits(x.BeginDate, y.BeginDate) ||
        !SameBits(x.EndDate, y.EndDate) || !SameBits(x.Amount, y.Amount) ||
        !SameBits(x.Result.ComponentAmount, y.Result.ComponentAmount) ||
        !SameBits(x.Result.Change, y.Result.Change) ||
        !SameBits(x.Result.Correction, y.Result.Correction)) {
      return false;
    }
  }
  return true;
}

TResultTriple TTermijnPeriod::Triple(int index) const {
  if (Component == 0) return {};
  if (index == 0) return {Result.ComponentAmount, 0.0, Result.Correction};
  if (index == Component) return Result;
  return {};
}

// ---- construction and copies ------------------------------------------------

TTermijnConfig::TTermijnConfig(const TBDConfig* indexTable) : indexTable_(indexTable) {}
TTermijnConfig::~TTermijnConfig() = default;
TTermijnConfig::TTermijnConfig(const TTermijnConfig& other) = default;
TTermijnConfig& TTermijnConfig::operator=(const TTermijnConfig& other) = default;
TTermijnConfig::TTermijnConfig(TTermijnConfig&&) noexcept = default;
TTermijnConfig& TTermijnConfig::operator=(TTermijnConfig&&) noexcept = default;

void TTermijnConfig::CopyFrom(const TTermijnConfig& other) {
  if (this != &other) *this = other;
}

int TTermijnConfig::SharedBlocks(const TTermijnConfig& other) const {
  int shared = 0;
  for (int b = 0; b < kBlockCount; ++b) {
    if (blocks_[b] && blocks_[b] == other.blocks_[b]) ++shared;
    if (results_[b] && results_[b] == other.results_[b]) ++shared;
  }
  return shared;
}

// ---- set-up -----------------------------------------------------------------

void TTermijnConfig::SetProjectDates(TDateTime priceReferenceDate, TDateTime tenderDate,
                                     TDateTime startOfWorks) {
  priceReferenceDate_ = WholeDayOrZero(priceReferenceDate);
  tenderDate_ = WholeDayOrZero(tenderDate);
  startOfWorks_ = WholeDayOrZero(startOfWorks);
}

void TTermijnConfig::SetIndexTable(const TBDConfig* indexTable) { indexTable_ = indexTable; }

void TTermijnConfig::SetCurrentComponent(int position) {
  currentComponent_ = position >= 0 && position <= kMaxComponents ? position : 0;
}

void TTermijnConfig::SetSimplified(int method) {
  simplified_ = method == static_cast<int>(TCalcMethod::Simplified);
}

// ---- blocks -----------------------------------------------------------------

const TInstallmentBlock* TTermijnConfig::BlockOf(int slot) const {
  if (slot < 1 || slot > count_) return nullptr;
  return blocks_[(slot - 1) / kB].get();
}

TInstallmentBlock& TTermijnConfig::MutableBlock(int block) {
  std::shared_ptr<TInstallmentBlock>& p = blocks_[block];
  if (!p) {
    p = std::make_shared<TInstallmentBlock>();
  } else if (p.use_count() > 1) {
    p = std::make_shared<TInstallmentBlock>(*p);
  }
  return *p;
}

TResultBlock& TTermijnConfig::MutableResults(int block) {
  std::shared_ptr<TResultBlock>& p = results_[block];
  if (!p) {
    p = std::make_shared<TResultBlock>();
  } else if (p.use_count() > 1) {
    p = std::make_shared<TResultBlock>(*p);
  }
  return *p;
}

namespace {
const TInstallmentRecord& RecordIn(const TInstallmentBlock* block, int slot) {
  return block ? block->Items[(slot - 1) % kB] : kEmptyRecord;
}
}  // namespace

// Copies the record of slot `from` into slot `to` (both 1..999).
void TTermijnConfig::MoveSlot(int from, int to) {
  const TInstallmentRecord rec = RecordIn(blocks_[(from - 1) / kB].get(), from);
  MutableBlock((to - 1) / kB).Items[(to - 1) % kB] = rec;
}

void TTermijnConfig::RemoveSlot(int slot) {
  for (int i = slot; i < count_; ++i) MoveSlot(i + 1, i);
  MutableBlock((count_ - 1) / kB).Items[(count_ - 1) % kB] = TInstallmentRecord{};
  --count_;
  if (currentSlot_ == slot) {
    currentSlot_ = 0;
  } else if (currentSlot_ > slot) {
    --currentSlot_;
  }
}

// Results of slots from `slot` on no longer belong to their installments.
void TTermijnConfig::ResetResultsFrom(int slot) {
  if (slot < 1) slot = 1;
  const int block = (slot - 1) / kB;
  if (block >= kBlockCount) return;
  if (results_[block]) {
    TResultBlock& r = MutableResults(block);
    const int item = (slot - 1) % kB;
    r.Periods.resize(r.First[item]);
    for (int i = item; i < kB; ++i) {
      r.BeginDate[i] = 0;
      r.Days[i] = 0;
      r.First[i + 1] = r.First[item];
    }
  }
  for (int b = block + 1; b < kBlockCount; ++b) results_[b].reset();
  Invalidate();
}

// ---- installment operations -------------------------------------------------

bool TTermijnConfig::InsertInstallment(std::string_view name, const TComponentAmounts& componentAmounts,
                                       int row, double amount, TDateTime endDate) {
  if (row == 0 && count_ >= kMaxInstallments) return false;
  int moving = 0;
  if (row != 0) {
    moving = RowToSlot(row);
    if (moving == 0) return false;
  }
  if (!std::isfinite(amount) || !IsUsableDate(endDate) || !AllFinite(componentAmounts, false)) {
    return false;
  }
  const std::int32_t endDay = DayOf(endDate);
  if (endDay < DayOf(startOfWorks_)) return false;

  // First slot whose end day lies after the new one (slots are sorted).
  int lo = 1;
  int hi = count_ + 1;
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (DayOf(EndDate(mid)) <= endDay) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  int at = lo;
  if (at > 1 && DayOf(EndDate(at - 1)) == endDay) return false;

  bool expanded = false;
  if (moving != 0) {
    expanded = Expanded(moving);
    RemoveSlot(moving);
    if (at > moving) --at;
  }
  for (int i = count_; i >= at; --i) MoveSlot(i, i + 1);

  TInstallmentRecord rec;
  rec.SetName(name);
  rec.Expanded = expanded;
  rec.EndDate = static_cast<TDateTime>(endDay);
  rec.Amount = amount;
  rec.ComponentAmounts = componentAmounts;
  rec.ComponentAmounts[0] = 0;
  MutableBlock((at - 1) / kB).Items[(at - 1) % kB] = rec;
  ++count_;
  currentSlot_ = at;
  ResetResultsFrom(moving != 0 && moving < at ? moving : at);
  return true;
}

bool TTermijnConfig::ChangeInstallment(int row, std::string_view name,
                                       const TComponentAmounts& componentAmounts, double amount,
                                       TDateTime endDate) {
  const int slot = RowToSlot(row);
  if (slot == 0) return false;
  const bool keepAmount = amount == HUGE_VAL;
  const bool keepDate = endDate == 0;
  if ((!keepAmount && !std::isfinite(amount)) || (!keepDate && !IsUsableDate(endDate)) ||
      !AllFinite(componentAmounts, true)) {
    return false;
  }
  const TInstallmentRecord& stored = RecordIn(BlockOf(slot), slot);
  TInstallmentRecord wanted = stored;
  if (!name.empty()) wanted.SetName(name);
  if (!keepAmount) wanted.Amount = amount;
  for (int i = 1; i <= kMaxComponents; ++i) {
    if (componentAmounts[i] != HUGE_VAL) wanted.ComponentAmounts[i] = componentAmounts[i];
  }
  if (!keepDate && DayOf(endDate) != DayOf(stored.EndDate)) {
    return InsertInstallment(wanted.NameText(), wanted.ComponentAmounts, row, wanted.Amount, endDate);
  }
  bool differs = wanted.NameLength != stored.NameLength ||
                 std::memcmp(wanted.Name, stored.Name, sizeof wanted.Name) != 0 ||
                 !SameBits(wanted.Amount, stored.Amount);
  for (int i = 1; i <= kMaxComponents && !differs; ++i) {
    differs = !SameBits(wanted.ComponentAmounts[i], stored.ComponentAmounts[i]);
  }
  if (differs) MutableBlock((slot - 1) / kB).Items[(slot - 1) % kB] = wanted;
  return true;
}

bool TTermijnConfig::DeleteInstallment(int row) {
  const int slot = RowToSlot(row);
  return slot != 0 && DeleteInstallmentSlot(slot);
}

bool TTermijnConfig::DeleteInstallmentSlot(int slot) {
  if (slot < 1 || slot > count_) return false;
  RemoveSlot(slot);
  ResetResultsFrom(slot);
  return true;
}

bool TTermijnConfig::GetInstallmentAtRow(int row, int& slot, TInstallmentData& data) const {
  slot = RowToSlot(row);
  return slot != 0 && GetInstallment(slot, false, data);
}

bool TTermijnConfig::GetInstallment(int slot, bool displayOrder, TInstallmentData& data) const {
  if (slot < 1 || slot > count_) return false;
  const TInstallmentRecord& rec = RecordIn(BlockOf(slot), slot);
  data.Name = rec.NameText();
  data.EndDate = rec.EndDate;
  data.Amount = rec.Amount;
  if (!displayOrder) {
    data.ComponentAmounts = rec.ComponentAmounts;
    return true;
  }
  data.ComponentAmounts.fill(0);
  const int n = indexTable_ ? indexTable_->Count() : 0;
  for (int pos = 1; pos <= n && pos <= kMaxComponents; ++pos) {
    const int cs = indexTable_->SlotAt(pos);
    if (cs >= 1 && cs <= kMaxComponents) data.ComponentAmounts[pos] = rec.ComponentAmounts[cs];
  }
  return true;
}

std::string TTermijnConfig::Name(int slot) const { return RecordIn(BlockOf(slot), slot).NameText(); }
TDateTime TTermijnConfig::EndDate(int slot) const { return RecordIn(BlockOf(slot), slot).EndDate; }
double TTermijnConfig::Amount(int slot) const { return RecordIn(BlockOf(slot), slot).Amount; }
bool TTermijnConfig::Expanded(int slot) const { return RecordIn(BlockOf(slot), slot).Expanded; }

double TTermijnConfig::ComponentAmount(int slot, int componentSlot) const {
  if (componentSlot < 1 || componentSlot > kMaxComponents) return 0;
  return RecordIn(BlockOf(slot), slot).ComponentAmounts[componentSlot];
}

void TTermijnConfig::DropComponentAmounts(int componentSlot) {
  if (componentSlot < 1 || componentSlot > kMaxComponents) return;
  for (int slot = 1; slot <= count_; ++slot) {
    // Only blocks that hold an amount of the component are touched, so the
    // others stay shared with earlier copies.
    if (!SameBits(ComponentAmount(slot, componentSlot), 0.0)) {
      MutableBlock((slot - 1) / kB).Items[(slot - 1) % kB].ComponentAmounts[componentSlot] = 0;
    }
  }
}

bool TTermijnConfig::HasEndDate(TDateTime date) const {
  if (!IsUsableDate(date)) return false;
  const std::int32_t day = DayOf(date);
  int lo = 1;
  int hi = count_;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    const std::int32_t d = DayOf(EndDate(mid));
    if (d == day) return true;
    if (d < day) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return false;
}

void TTermijnConfig::Clear() {
  for (auto& b : blocks_) b.reset();
  for (auto& r : results_) r.reset();
  count_ = 0;
  currentSlot_ = 0;
  computedComponent_ = 0;
  correctionTotal_.fill(0);
  amountTotal_.fill(0);
  newEntry_ = TNewEntry{};
  Invalidate();
}

// ---- grid rows ----------------------------------------------------------------

void TTermijnConfig::EnsureRowMap() const {
  if (rowMap_) return;
  auto map = std::make_shared<TRowMap>();
  map->Rows.reserve(static_cast<std::size_t>(count_));
  for (int slot = 1; slot <= count_; ++slot) {
    map->Rows.push_back({static_cast<std::uint16_t>(slot), 0});
    map->GridRow[slot] = static_cast<std::uint16_t>(map->Rows.size());
    if (!Expanded(slot)) continue;
    const std::size_t periods = SubPeriods(slot).size();
    const std::size_t laterRows = static_cast<std::size_t>(count_ - slot);
    if (map->Rows.size() + periods + laterRows > static_cast<std::size_t>(kMaxInstallmentRows)) {
      continue;
    }
    map->ShownExpanded[slot] = true;
    for (std::size_t k = 1; k <= periods; ++k) {
      map->Rows.push_back({static_cast<std::uint16_t>(slot), static_cast<std::uint16_t>(k)});
    }
  }
  rowMap_ = std::move(map);
}

void TTermijnConfig::BuildRowMap() const {
  rowMap_.reset();
  EnsureRowMap();
}

int TTermijnConfig::RowCount() const {
  EnsureRowMap();
  return static_cast<int>(rowMap_->Rows.size());
}

TRowRef TTermijnConfig::RowAt(int row) const {
  EnsureRowMap();
  if (row < 1 || row > static_cast<int>(rowMap_->Rows.size())) return {};
  return rowMap_->Rows[static_cast<std::size_t>(row - 1)];
}

int TTermijnConfig::RowToSlot(int row) const { return RowAt(row).Slot; }

int TTermijnConfig::GridRow(int slot) const {
  if (slot < 1 || slot > count_) return 0;
  EnsureRowMap();
  return rowMap_->GridRow[slot];
}

int TTermijnConfig::CurrentRow() const { return GridRow(currentSlot_); }

bool TTermijnConfig::IsExpanded(int row) const {
  const int slot = RowToSlot(row);
  return slot != 0 && rowMap_->ShownExpanded[slot];
}

bool TTermijnConfig::Expand(int row) {
  const int slot = RowToSlot(row);
  if (slot == 0) return false;
  if (rowMap_->ShownExpanded[slot]) return true;
  const std::size_t periods = SubPeriods(slot).size();
  if (rowMap_->Rows.size() + periods > static_cast<std::size_t>(kMaxInstallmentRows)) return false;
  MutableBlock((slot - 1) / kB).Items[(slot - 1) % kB].Expanded = true;
  Invalidate();
  return true;
}

bool TTermijnConfig::Collapse(int row) {
  const int slot = RowToSlot(row);
  if (slot == 0) return false;
  if (Expanded(slot)) {
    MutableBlock((slot - 1) / kB).Items[(slot - 1) % kB].Expanded = false;
    Invalidate();
  }
  return true;
}

void TTermijnConfig::CollapseAll() {
  for (int slot = 1; slot <= count_; ++slot) {
    if (Expanded(slot)) MutableBlock((slot - 1) / kB).Items[(slot - 1) % kB].Expanded = false;
  }
  Invalidate();
}

// ---- new entry ----------------------------------------------------------------

bool TTermijnConfig::NewEntryComplete() const {
  return !newEntry_.Name.empty() && newEntry_.EndDate != 0;
}

bool TTermijnConfig::SetNewName(std::string_view name) {
  newEntry_.Name.assign(name.substr(0, kMaxInstallmentNameLength));
  return NewEntryComplete();
}

bool TTermijnConfig::SetNewEndDate(TDateTime endDate) {
  newEntry_.EndDate = endDate;
  return NewEntryComplete();
}

bool TTermijnConfig::SetNewAmount(double amount) {
  newEntry_.Amount = amount;
  return NewEntryComplete();
}

bool TTermijnConfig::SetNewComponentAmount(int position, double amount) {
  newEntry_.ComponentPosition =
      static_cast<std::uint8_t>(position >= 0 && position <= kMaxComponents ? position : 0);
  newEntry_.ComponentAmount = amount;
  return NewEntryComplete();
}

void TTermijnConfig::ClearNewEntry() { newEntry_ = TNewEntry{}; }

bool TTermijnConfig::NewAmountAllowed(double value, bool isComponentAmount) const {
  const bool allowed = isComponentAmount ? value <= newEntry_.Amount : value >= newEntry_.ComponentAmount;
  if (!allowed) ShowMessage(std::string(kMsgComponentSumTooHigh));
  return allowed;
}

bool TTermijnConfig::CommitNewEntry() {
  if (!NewEntryComplete()) return false;
  TComponentAmounts amounts{};
  if (newEntry_.ComponentPosition != 0 && indexTable_) {
    const int cs = indexTable_->SlotAt(newEntry_.ComponentPosition);
    if (cs >= 1 && cs <= kMaxComponents) amounts[cs] = newEntry_.ComponentAmount;
  }
  if (!InsertInstallment(newEntry_.Name, amounts, 0, newEntry_.Amount, newEntry_.EndDate)) return false;
  ClearNewEntry();
  return true;
}

// ---- entry checks ---------------------------------------------------------------

void TTermijnConfig::ShowMessage(const std::string& text) const {
  if (messageUi_) messageUi_->ShowMessage(text);
}

TEndDateResult TTermijnConfig::CheckEndDate(std::string_view text, bool showMessages) const {
  return CheckEndDate(text, showMessages, CurrentYear());
}

TEndDateResult TTermijnConfig::CheckEndDate(std::string_view text, bool showMessages,
                                            int currentYear) const {
  const std::optional<TDateTime> date = ReadDateText(text, currentYear);
  if (!date || !IsUsableDate(*date)) {
    if (showMessages) ShowMessage(std::string(kMsgNoValidDate));
    return {0, TEndDateCheck::NoDate};
  }
  if (DayOf(*date) < DayOf(startOfWorks_)) {
    if (!showMessages) return {*date, TEndDateCheck::BeforeStartOfWorks};
    ShowMessage(std::string(kMsgBeforeStartOfWorks));
    return {0, TEndDateCheck::BeforeStartOfWorks};
  }
  if (HasEndDate(*date)) {
    if (!showMessages) return {*date, TEndDateCheck::EndDateTaken};
    ShowMessage(std::string(kMsgEndDateTaken));
    return {0, TEndDateCheck::EndDateTaken};
  }
  return {*date, TEndDateCheck::Valid};
}

// ---- derived results --------------------------------------------------------------

TDateTime TTermijnConfig::BeginDate(int slot) const {
  if (slot < 1 || slot > count_ || !results_[(slot - 1) / kB]) return 0;
  return results_[(slot - 1) / kB]->BeginDate[(slot - 1) % kB];
}

std::uint32_t TTermijnConfig::Days(int slot) const {
  if (slot < 1 || slot > count_ || !results_[(slot - 1) / kB]) return 0;
  return results_[(slot - 1) / kB]->Days[(slot - 1) % kB];
}

std::span<const TTermijnPeriod> TTermijnConfig::SubPeriods(int slot) const {
  if (slot < 1 || slot > count_ || !results_[(slot - 1) / kB]) return {};
  const TResultBlock& r = *results_[(slot - 1) / kB];
  const int item = (slot - 1) % kB;
  return std::span<const TTermijnPeriod>(r.Periods.data() + r.First[item],
                                         r.First[item + 1] - r.First[item]);
}

double TTermijnConfig::InstallmentComponentAmount(int slot) const {
  double sum = 0;
  for (const TTermijnPeriod& p : SubPeriods(slot)) sum += p.Result.ComponentAmount;
  return sum;
}

double TTermijnConfig::InstallmentCorrection(int slot) const {
  double sum = 0;
  for (const TTermijnPeriod& p : SubPeriods(slot)) sum += p.Result.Correction;
  return sum;
}

double TTermijnConfig::CorrectionTotal(int index) const {
  return index >= 0 && index <= kMaxComponents ? correctionTotal_[index] : 0.0;
}

double TTermijnConfig::AmountTotal(int index) const {
  return index >= 0 && index <= kMaxComponents ? amountTotal_[index] : 0.0;
}

}  // namespace pc
