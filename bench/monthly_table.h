// The index table of the installment benchmarks: 50 components of 2 % each,
// a figure for every month of 1981..2100, carried-forward figures rebuilt.
#pragma once

#include <string>

#include "indextable/bd_config.h"
#include "indextable/month_key.h"

namespace pc::bench {

inline void FillMonthlyTable(TBDConfig& t) {
  t.SetPeriodStart(kFirstMonthKey);
  t.SetPeriodEnd(kLastMonthKey);
  t.RebuildMonthList();
  for (int c = 0; c < 50; ++c) {
    TComponentValues v;
    v.Name = "Bestanddeel " + std::to_string(c + 1);
    v.Percentage = 2;
    const int slot = t.AddComponent(v);
    for (int i = 0; i < kMonthCount; ++i) t.SetCellValue(slot, KeyOfMonthIndex(i), 100 + 0.01 * i + c);
  }
  t.ResetRanges(false);
  t.RebuildMonthList();
  t.RebuildAllCarryForward();
}

}  // namespace pc::bench
