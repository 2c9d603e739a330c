// The index table along the month axis: period, figures, carried-forward and
// trend figures, look-ups.
#include <cmath>

#include "indextable/bd_config.h"
#include "indextable/bd_series.h"

namespace pc {
namespace {

bool IsFigure(double value) { return std::isfinite(value) && value >= 0 && value <= kMaxFigure; }

}  // namespace

// ---- period -------------------------------------------------------------

void TBDConfig::SetPeriodStart(TMonthKey key) {
  if (IsValidMonthKey(key)) periodStart_ = key;
}

void TBDConfig::SetPeriodEnd(TMonthKey key) {
  if (IsValidMonthKey(key)) periodEnd_ = key;
}

void TBDConfig::RebuildMonthList() {
  const int first = MonthIndexOf(periodStart_);
  const int last = MonthIndexOf(periodEnd_);
  if (first < 0 || last < 0 || last < first) {
    // A reversed period erases nothing: it would wipe every figure.
    monthCount_ = 0;
    return;
  }
  auto outside = [first, last](int i) { return i < first || i > last; };
  for (int slot = 1; slot <= kMaxComponents; ++slot) {
    const Series* cs = SeriesOf(slot);
    if (!UsedSlot(slot) || cs == nullptr) continue;
    bool needed = false;
    for (int i = 0; i < kMonthCount && !needed; ++i) {
      const auto u = static_cast<std::size_t>(i);
      if (outside(i) && (cs->Value[u] != 0 || cs->CarriedFrom[u] != 0)) needed = true;
      if (cs->CarriedFrom[u] != 0 && outside(MonthIndexOf(cs->CarriedFrom[u]))) needed = true;
    }
    if (!needed) continue;
    Series* s = MutableSeries(slot);
    for (int i = 0; i < kMonthCount; ++i) {
      const auto u = static_cast<std::size_t>(i);
      if (outside(i)) {
        s->Value[u] = 0;  // the trend mark stays until the next trend computation
        s->CarriedFrom[u] = 0;
      } else if (s->CarriedFrom[u] != 0 && outside(MonthIndexOf(s->CarriedFrom[u]))) {
        s->CarriedFrom[u] = 0;  // it carried an erased month
      }
    }
    FinishSeries(slot);
  }
  monthCount_ = MonthsBetween(periodStart_, periodEnd_);
}

TMonthKey TBDConfig::MonthAt(int row) const {
  if (row < 1 || row > monthCount_) return 0;
  return KeyOfMonthIndex(MonthIndexOf(periodStart_) + row - 1);
}

int TBDConfig::RowOfMonth(TMonthKey key) const {
  const int i = MonthIndexOf(key);
  if (i < 0 || monthCount_ == 0) return 0;
  const int row = i - MonthIndexOf(periodStart_) + 1;
  return row >= 1 && row <= monthCount_ ? row : 0;
}

void TBDConfig::ResetRangesOfSlot(int slot, bool wipe) {
  const auto u = static_cast<std::size_t>(slot);
  const TMonthKey first = firstFigure_[u];
  const TMonthKey end = rangeEnd_[u];
  firstFigure_[u] = 0;
  rangeEnd_[u] = 0;
  if (series_[u] == nullptr) return;
  Series* s = MutableSeries(slot);
  // Carry references exist only inside the carry range; dropping them all is
  // the same and also holds for a table whose ranges were never built.
  s->CarriedFrom.fill(0);
  if (wipe && IsValidMonthKey(first)) {
    const int lastYear = IsValidMonthKey(end) ? KeyYearIndex(end) : KeyYearIndex(first);
    for (int y = KeyYearIndex(first); y <= lastYear; ++y) {
      for (int m = 1; m <= 12; ++m) {
        const auto i = static_cast<std::size_t>(MonthIndexOf(MakeMonthKey(y, m)));
        s->Value[i] = 0;
        s->IsTrend[i] = 0;
      }
    }
  }
  FinishSeries(slot);
}

void TBDConfig::ResetRanges(bool wipe) {
  for (int slot = 1; slot <= kMaxComponents; ++slot) {
    if (UsedSlot(slot)) ResetRangesOfSlot(slot, wipe);
  }
}

int TBDConfig::CountFiguresOutside(TMonthKey a, TMonthKey b) const {
  int count = 0;
  for (int row = 1; row <= monthCount_; ++row) {
    const TMonthKey key = MonthAt(row);
    if (!(key < a || key > b)) continue;
    const auto i = static_cast<std::size_t>(MonthIndexOf(key));
    for (int slot = 1; slot <= kMaxComponents; ++slot) {
      const Series* s = SeriesOf(slot);
      if (UsedSlot(slot) && s != nullptr && s->Value[i] != 0) ++count;
    }
  }
  return count;
}

// ---- figures ------------------------------------------------------------

void TBDConfig::SetCellValue(int slot, TMonthKey key, double value) {
  const int i = MonthIndexOf(key);
  if (!ValidSlot(slot) || i < 0 || !IsFigure(value)) return;
  if (value == 0 && series_[static_cast<std::size_t>(slot)] == nullptr) return;
  Series* s = MutableSeries(slot);
  s->Value[static_cast<std::size_t>(i)] = value;
  s->IsTrend[static_cast<std::size_t>(i)] = 0;  // a stored value is never a trend figure
}

TIndexCell TBDConfig::Cell(int slot, TMonthKey key) const {
  const int i = MonthIndexOf(key);
  const Series* s = SeriesOf(slot);
  if (i < 0 || s == nullptr) return TIndexCell{};
  const auto u = static_cast<std::size_t>(i);
  return TIndexCell{s->Value[u], s->IsTrend[u] != 0, s->CarriedFrom[u]};
}

bool TBDConfig::SetFigure(int position, int row, bool repaint, double value) {
  const int slot = SlotAt(position);
  const TMonthKey key = MonthAt(row);
  if (!UsedSlot(slot) || key == 0 || !IsFigure(value)) return false;
  const auto i = static_cast<std::size_t>(MonthIndexOf(key));
  const auto u = static_cast<std::size_t>(slot);
  ClearTrend(slot);
  const Series* cs = SeriesOf(slot);
  const double current = cs != nullptr ? cs->Value[i] : 0;
  bool changed = false;
  if (firstFigure_[u] != 0) {
    if ((current == 0) != (value == 0)) {
      ResetRangesOfSlot(slot, false);
      MutableSeries(slot)->Value[i] = value;
      RebuildCarryForward(slot);
      changed = true;
    } else if (current != value) {
      MutableSeries(slot)->Value[i] = value;
      changed = true;
    }
  } else if (value != 0) {
    MutableSeries(slot)->Value[i] = value;
    RebuildCarryForward(slot);
    changed = true;
  }
  ComputeTrend(slot);
  FinishSeries(slot);
  // Repainted after the trend is recomputed, so the column shows it.
  if (repaint && grid_ != nullptr) grid_->RefreshColumn(position);
  return changed;
}

bool TBDConfig::IsCarriedForward(int position, int row) const {
  const TIndexCell c = Cell(SlotAt(position), MonthAt(row));
  return c.Value == 0 && c.CarriedFrom != 0;
}

bool TBDConfig::IsEmptyMonth(int position, int row) const {
  const TIndexCell c = Cell(SlotAt(position), MonthAt(row));
  return c.Value == 0 && c.CarriedFrom == 0;
}

TMonthKey TBDConfig::FirstFigure(int slot) const {
  return ValidSlot(slot) ? firstFigure_[static_cast<std::size_t>(slot)] : 0;
}

TMonthKey TBDConfig::RangeEnd(int slot) const {
  return ValidSlot(slot) ? rangeEnd_[static_cast<std::size_t>(slot)] : 0;
}

std::vector<TMonthKey> TBDConfig::Dependents(int slot, TMonthKey key) const {
  std::vector<TMonthKey> months;
  const Series* s = SeriesOf(slot);
  if (s == nullptr || !IsValidMonthKey(key)) return months;
  for (int i = 0; i < kMonthCount; ++i) {
    if (s->CarriedFrom[static_cast<std::size_t>(i)] == key) months.push_back(KeyOfMonthIndex(i));
  }
  return months;
}

// ---- carry-forward ------------------------------------------------------

void TBDConfig::RebuildCarryForward(int slot) {
  if (!ValidSlot(slot)) return;
  const auto u = static_cast<std::size_t>(slot);
  firstFigure_[u] = 0;
  rangeEnd_[u] = 0;
  if (series_[u] == nullptr || monthCount_ == 0) return;
  Series* s = MutableSeries(slot);
  // Every month with a figure, own or trend, carries the empty months after
  // it. (Trend figures computed after the carry was built leave the months
  // they cover naming the own figure before them.)
  TMonthKey carrier = 0;
  for (int row = 1; row <= monthCount_; ++row) {
    const TMonthKey key = MonthAt(row);
    const auto i = static_cast<std::size_t>(MonthIndexOf(key));
    if (s->Value[i] != 0 && firstFigure_[u] == 0) {
      firstFigure_[u] = key;
      rangeEnd_[u] = periodEnd_;
    }
    if (s->Value[i] != 0) {
      carrier = key;
      s->CarriedFrom[i] = 0;
    } else {
      s->CarriedFrom[i] = carrier;
    }
  }
  FinishSeries(slot);
}

void TBDConfig::RebuildAllCarryForward() {
  for (int slot = 1; slot <= kMaxComponents; ++slot) {
    if (UsedSlot(slot)) RebuildCarryForward(slot);
  }
}

// ---- trend --------------------------------------------------------------

void TBDConfig::ClearTrend(int slot) {
  if (slot == 0) {
    for (int s = 1; s <= kMaxComponents; ++s) {
      if (UsedSlot(s)) ClearTrend(s);
    }
    return;
  }
  const Series* cs = SeriesOf(slot);
  if (cs == nullptr) return;
  bool any = false;
  for (std::uint8_t t : cs->IsTrend) any = any || t != 0;
  if (!any) return;
  Series* s = MutableSeries(slot);
  for (std::size_t i = 0; i < s->IsTrend.size(); ++i) {
    if (s->IsTrend[i] != 0) {
      s->Value[i] = 0;
      s->IsTrend[i] = 0;
    }
  }
  // When the carry was built while trend figures stood (after a period
  // change), the months they carried would now carry 0, a missing index,
  // and the months they held would carry nothing: such months are carried
  // again from the figures that remain.
  const TMonthKey first = firstFigure_[static_cast<std::size_t>(slot)];
  bool broken = false;
  for (int row = 1; row <= monthCount_ && !broken && first != 0; ++row) {
    const TMonthKey key = MonthAt(row);
    const auto i = static_cast<std::size_t>(MonthIndexOf(key));
    if (s->Value[i] != 0 || key < first) continue;
    const TMonthKey from = s->CarriedFrom[i];
    broken = from == 0 || s->Value[static_cast<std::size_t>(MonthIndexOf(from))] == 0;
  }
  if (broken) {
    RebuildCarryForward(slot);
    return;
  }
  FinishSeries(slot);
}

void TBDConfig::ComputeTrend(int slot) {
  if (slot == 0) {
    for (int s = 1; s <= kMaxComponents; ++s) {
      if (UsedSlot(s)) ComputeTrend(s);
    }
    return;
  }
  if (!UsedSlot(slot)) return;
  const TBDRecord& r = components_[static_cast<std::size_t>(slot)];
  if (r.TrendKind == trend_kind::kNone) return;
  // Earlier trend figures are not own figures: the trend starts after the
  // last month the user or the file gave.
  ClearTrend(slot);
  const Series* cs = SeriesOf(slot);
  if (cs == nullptr) return;
  int first = -1;
  int last = -1;
  for (int i = 0; i < kMonthCount; ++i) {
    if (cs->Value[static_cast<std::size_t>(i)] != 0) {
      if (first < 0) first = i;
      last = i;
    }
  }
  if (first < 0 || last == kMonthCount - 1) return;
  double step = 0;
  if (r.TrendKind == trend_kind::kFromFigures) {
    step = (cs->Value[static_cast<std::size_t>(last)] - cs->Value[static_cast<std::size_t>(first)]) /
           (last - first + 1);
  } else if (r.TrendKind == trend_kind::kFixedPercentage) {
    step = r.TrendPercentage / 12;
  }
  if (!std::isfinite(step)) step = 0;
  Series* s = MutableSeries(slot);
  double value = s->Value[static_cast<std::size_t>(last)];
  for (int i = last + 1; i < kMonthCount; ++i) {
    // A figure is never 0 or less and never above the largest figure: a
    // falling trend holds at its last figure above 0, a rising one at the
    // largest figure.
    const double next = value + step;
    if (next > 0) value = next < kMaxFigure ? next : kMaxFigure;
    s->Value[static_cast<std::size_t>(i)] = value;
    s->IsTrend[static_cast<std::size_t>(i)] = 1;
  }
  FinishSeries(slot);
}

bool TBDConfig::HasTrendFigures() const {
  for (int slot = 1; slot <= kMaxComponents; ++slot) {
    const Series* s = SeriesOf(slot);
    if (!UsedSlot(slot) || s == nullptr) continue;
    for (std::uint8_t t : s->IsTrend) {
      if (t != 0) return true;
    }
  }
  return false;
}

// ---- look-up ------------------------------------------------------------

// Look-ups of a slot without figures, or of a series changed by raw writes
// since its results were last built.
TIndexLookup TBDConfig::LookUpUncached(TMonthKey key, int position) const {
  const Series* s = SeriesOf(SlotAt(position));
  const int i = MonthIndexOf(key);
  if (s == nullptr || i < 0) return {};
  if (s->ResolvedValid) {
    return {s->Resolved.Figure[static_cast<std::size_t>(i)],
            s->Resolved.Code[static_cast<std::size_t>(i)]};
  }
  TIndexLookup l = s->LookUp(i, 0);
  if (l.Code == TIndexResult::WalkedBack) l.Figure = s->WalkBack(i);
  return l;
}

}  // namespace pc
