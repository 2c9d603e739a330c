// Setting many figures of one component with one recomputation.
#include <cmath>

#include "indextable/bd_config.h"
#include "indextable/bd_series.h"

namespace pc {

bool TBDConfig::SetFigures(int position, const std::vector<TRowFigure>& figures) {
  const int slot = SlotAt(position);
  if (!UsedSlot(slot)) return false;
  ClearTrend(slot);
  bool changed = false;
  bool zeroSwitched = false;  // some month gained or lost its figure
  Series* s = nullptr;
  for (const TRowFigure& f : figures) {
    const TMonthKey key = MonthAt(f.Row);
    if (key == 0 || !std::isfinite(f.Value) || f.Value < 0 || f.Value > kMaxFigure) continue;
    const auto i = static_cast<std::size_t>(MonthIndexOf(key));
    const Series* cs = s != nullptr ? s : SeriesOf(slot);
    const double current = cs != nullptr ? cs->Value[i] : 0;
    if (current == f.Value) continue;
    if (s == nullptr) s = MutableSeries(slot);
    zeroSwitched = zeroSwitched || (current == 0) != (f.Value == 0);
    s->Value[i] = f.Value;
    changed = true;
  }
  if (zeroSwitched) {
    ResetRangesOfSlot(slot, false);
    RebuildCarryForward(slot);
  }
  ComputeTrend(slot);
  FinishSeries(slot);
  return changed;
}

}  // namespace pc
