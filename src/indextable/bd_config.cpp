// The index table: construction, copies and the component operations.
#include "indextable/bd_config.h"

#include <algorithm>
#include <atomic>

#include "common/text_routines.h"
#include "indextable/bd_series.h"

namespace pc {

TBDConfig::TBDConfig(TIndexGridPainter* grid) : TBDConfig(grid, CurrentYear()) {}

TBDConfig::TBDConfig(TIndexGridPainter* grid, int currentYear) : grid_(grid) {
  const int first = std::clamp(currentYear - 2, kFirstYear, kLastYear);
  const int last = std::clamp(currentYear + 1, kFirstYear, kLastYear);
  periodStart_ = MonthKeyOfYearMonth(first, 1);
  periodEnd_ = MonthKeyOfYearMonth(last, 12);
  RebuildMonthList();
}

// Copies share the figure blocks; MutableSeries unshares before a change.
TBDConfig::TBDConfig(const TBDConfig&) = default;
TBDConfig& TBDConfig::operator=(const TBDConfig&) = default;
// A move swaps, so the look-up pointers always travel with their blocks.
TBDConfig::TBDConfig(TBDConfig&& other) noexcept { Swap(other); }
TBDConfig& TBDConfig::operator=(TBDConfig&& other) noexcept {
  if (this != &other) Swap(other);
  return *this;
}

void TBDConfig::Swap(TBDConfig& other) noexcept {
  std::swap(grid_, other.grid_);
  std::swap(components_, other.components_);
  std::swap(order_, other.order_);
  std::swap(firstFigure_, other.firstFigure_);
  std::swap(rangeEnd_, other.rangeEnd_);
  std::swap(series_, other.series_);
  std::swap(resolved_, other.resolved_);
  std::swap(byPosition_, other.byPosition_);
  std::swap(count_, other.count_);
  std::swap(periodStart_, other.periodStart_);
  std::swap(periodEnd_, other.periodEnd_);
  std::swap(monthCount_, other.monthCount_);
  std::swap(highlightMonth_, other.highlightMonth_);
  std::swap(tableKind_, other.tableKind_);
}
TBDConfig::~TBDConfig() = default;

void TBDConfig::CopyFrom(const TBDConfig& other) {
  if (this != &other) *this = other;
}

TBDConfig::Series* TBDConfig::MutableSeries(int slot) {
  std::shared_ptr<Series>& p = series_[static_cast<std::size_t>(slot)];
  if (!p) {
    p = std::make_shared<Series>();
  } else if (p.use_count() > 1) {
    p = std::make_shared<Series>(*p);
  } else {
    // Sole owner: make the releases of former sharers visible before writing.
    std::atomic_thread_fence(std::memory_order_acquire);
  }
  p->ResolvedValid = false;
  resolved_[static_cast<std::size_t>(slot)] = nullptr;
  SyncLookups();
  return p.get();
}

const TBDConfig::Series* TBDConfig::SeriesOf(int slot) const {
  if (!ValidSlot(slot)) return nullptr;
  return series_[static_cast<std::size_t>(slot)].get();
}

void TBDConfig::FinishSeries(int slot) {
  std::shared_ptr<Series>& p = series_[static_cast<std::size_t>(slot)];
  if (p && !p->ResolvedValid) {
    // A block left dirty by raw writes may be shared by now: never write
    // into a block that a copy reads.
    if (p.use_count() > 1) p = std::make_shared<Series>(*p);
    p->RebuildResolved();
  }
  resolved_[static_cast<std::size_t>(slot)] = p ? &p->Resolved : nullptr;
  SyncLookups();
}

void TBDConfig::SyncLookups() {
  for (int p = 1; p <= kMaxComponents; ++p) {
    byPosition_[static_cast<std::size_t>(p)] = resolved_[order_[static_cast<std::size_t>(p)]];
  }
}

bool TBDConfig::UsedSlot(int slot) const {
  return ValidSlot(slot) && !components_[static_cast<std::size_t>(slot)].Name.empty();
}

void TBDConfig::ClearSlot(int slot) {
  const auto s = static_cast<std::size_t>(slot);
  series_[s].reset();
  resolved_[s] = nullptr;
  firstFigure_[s] = 0;
  rangeEnd_[s] = 0;
  components_[s] = TBDRecord{};
  SyncLookups();
}

void TBDConfig::Clear() {
  for (int slot = 1; slot <= kMaxComponents; ++slot) ClearSlot(slot);
  order_.fill(0);
  count_ = 0;
  SyncLookups();
}

void TBDConfig::ClearFigures() {
  for (auto& p : series_) p.reset();
  resolved_.fill(nullptr);
  firstFigure_.fill(0);
  rangeEnd_.fill(0);
  SyncLookups();
}

int TBDConfig::FreeSlot() const {
  if (count_ >= kMaxComponents) return 0;
  for (int slot = 1; slot <= kMaxComponents; ++slot) {
    if (!UsedSlot(slot)) return slot;
  }
  return 0;
}

int TBDConfig::NextPosition() const { return count_ < kMaxComponents ? count_ + 1 : 0; }

int TBDConfig::AddComponent(const TComponentValues& values, int slot, int position) {
  if (values.Name.empty()) return 0;
  if (slot == 0) slot = FreeSlot();
  if (position == 0) position = NextPosition();
  if (slot == 0 || position == 0 || count_ >= kMaxComponents) return 0;
  if (!ValidSlot(slot) || UsedSlot(slot)) return 0;
  if (position < 1 || position > kMaxComponents || order_[static_cast<std::size_t>(position)] != 0) {
    return 0;
  }
  ++count_;
  ClearTrend(slot);
  TBDRecord& r = components_[static_cast<std::size_t>(slot)];
  static_cast<TComponentValues&>(r) = values;
  r.Name = CutText(values.Name, kMaxComponentNameLength);
  r.StartDate = DateOf(values.StartDate);
  r.Position = static_cast<std::uint8_t>(position);
  order_[static_cast<std::size_t>(position)] = static_cast<std::uint8_t>(slot);
  SyncLookups();
  ComputeTrend(slot);
  return slot;
}

bool TBDConfig::ChangeComponent(int position, const TComponentValues& values, int slot) {
  const int s = position != 0 ? SlotAt(position) : slot;
  if (!UsedSlot(s) || values.Name.empty()) return false;
  TComponentValues wanted = values;
  wanted.Name = CutText(values.Name, kMaxComponentNameLength);
  TBDRecord& r = components_[static_cast<std::size_t>(s)];
  if (static_cast<const TComponentValues&>(r) == wanted) return false;
  ClearTrend(s);
  static_cast<TComponentValues&>(r) = wanted;
  ComputeTrend(s);
  return true;
}

bool TBDConfig::DeleteComponent(int position, int slot) {
  if (count_ == 0) return false;
  const int s = position != 0 ? SlotAt(position) : slot;
  if (!UsedSlot(s)) return false;
  // Find the slot's place in the order rather than trusting its record.
  int at = 0;
  for (int p = 1; p <= kMaxComponents; ++p) {
    if (order_[static_cast<std::size_t>(p)] == s) {
      at = p;
      break;
    }
  }
  ClearSlot(s);
  if (at != 0) {
    for (int p = at; p < kMaxComponents; ++p) {
      const std::uint8_t next = order_[static_cast<std::size_t>(p) + 1];
      order_[static_cast<std::size_t>(p)] = next;
      if (next != 0) components_[next].Position = static_cast<std::uint8_t>(p);
    }
    order_[kMaxComponents] = 0;
  }
  --count_;
  SyncLookups();
  return true;
}

void TBDConfig::SwapPositions(int a, int b) {
  if (a < 1 || b < 1 || a > count_ || b > count_ || a == b) return;
  auto& sa = order_[static_cast<std::size_t>(a)];
  auto& sb = order_[static_cast<std::size_t>(b)];
  if (sa == 0 || sb == 0) return;
  std::swap(sa, sb);
  components_[sa].Position = static_cast<std::uint8_t>(a);
  components_[sb].Position = static_cast<std::uint8_t>(b);
  SyncLookups();
}

void TBDConfig::MoveComponent(int from, int to) {
  if (from < 1 || to < 1 || from > count_ || to > count_) return;
  if (from < to) {
    for (int p = from; p < to; ++p) SwapPositions(p, p + 1);
  } else {
    for (int p = from; p > to; --p) SwapPositions(p, p - 1);
  }
}

void TBDConfig::CompactPositions() {
  std::array<std::uint8_t, kMaxComponents + 1> seen{};
  std::array<std::uint8_t, kMaxComponents + 1> order{};
  int n = 0;
  for (int p = 1; p <= kMaxComponents; ++p) {
    const int s = order_[static_cast<std::size_t>(p)];
    if (UsedSlot(s) && !seen[static_cast<std::size_t>(s)]) {
      seen[static_cast<std::size_t>(s)] = 1;
      order[static_cast<std::size_t>(++n)] = static_cast<std::uint8_t>(s);
    }
  }
  for (int s = 1; s <= kMaxComponents; ++s) {
    if (UsedSlot(s) && !seen[static_cast<std::size_t>(s)]) {
      order[static_cast<std::size_t>(++n)] = static_cast<std::uint8_t>(s);
    }
  }
  order_ = order;
  for (int p = 1; p <= n; ++p) components_[order_[static_cast<std::size_t>(p)]].Position =
      static_cast<std::uint8_t>(p);
  count_ = n;
  SyncLookups();
}

int TBDConfig::SlotAt(int position) const {
  if (position < 1 || position > kMaxComponents) return 0;
  return order_[static_cast<std::size_t>(position)];
}

int TBDConfig::PositionOf(int slot) const {
  return UsedSlot(slot) ? components_[static_cast<std::size_t>(slot)].Position : 0;
}

const TBDRecord& TBDConfig::GetComponent(int position) const {
  return RecordOfSlot(SlotAt(position));
}

const TBDRecord& TBDConfig::RecordOfSlot(int slot) const {
  static const TBDRecord kNone{};
  return UsedSlot(slot) ? components_[static_cast<std::size_t>(slot)] : kNone;
}

std::string TBDConfig::GetComponentName(int position) const { return GetComponent(position).Name; }

int TBDConfig::FindComponent(const std::string& name) const {
  if (name.empty()) return 0;
  for (int slot = 1; slot <= kMaxComponents; ++slot) {
    if (UsedSlot(slot) && SameTextIgnoringCase(components_[static_cast<std::size_t>(slot)].Name, name)) {
      return slot;
    }
  }
  return 0;
}

std::string TBDConfig::ComponentCaptionAt(int position) const {
  const TBDRecord& r = GetComponent(position);
  if (r.Name.empty()) return std::string();
  return ComponentCaption(r.Name, r.Variable, r.Percentage);
}

}  // namespace pc
