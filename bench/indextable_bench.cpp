// GetIndex over every month of a full table (50 components x 1440 months
// with own, carried-forward, walked-back and trend figures), against a plain
// read of the same figures from an array as the floor.
#include <benchmark/benchmark.h>

#include <array>
#include <vector>

#include "indextable/bd_config.h"

namespace {

using namespace pc;

struct FullTable {
  TBDConfig table{nullptr, 2012};
  std::vector<TMonthKey> keys;
  std::vector<double> plain;  // [position][month], the same figures

  FullTable() {
    table.SetPeriodStart(kFirstMonthKey);
    table.SetPeriodEnd(MonthKeyOfYearMonth(2090, 12));  // later months are walked back
    table.RebuildMonthList();
    for (int c = 0; c < kMaxComponents; ++c) {
      TComponentValues v;
      v.Name = "Bestanddeel " + std::to_string(c + 1);
      v.Percentage = 2;
      v.TrendKind = static_cast<std::uint8_t>(c % 3);
      v.TrendPercentage = 3;
      table.AddComponent(v);
    }
    // Figures every third month up to a month that differs per component.
    for (int p = 1; p <= kMaxComponents; ++p) {
      const int slot = table.SlotAt(p);
      const int last = 900 + 7 * p;
      for (int i = p % 5; i < last; i += 3) {
        table.SetCellValue(slot, KeyOfMonthIndex(i), 100 + 0.01 * (i + p));
      }
    }
    table.ResetRanges(false);
    table.RebuildMonthList();
    table.RebuildAllCarryForward();
    table.ComputeTrend(0);
    for (int i = 0; i < kMonthCount; ++i) keys.push_back(KeyOfMonthIndex(i));
    for (int p = 1; p <= kMaxComponents; ++p) {
      for (TMonthKey k : keys) plain.push_back(table.GetIndex(k, p).Figure);
    }
  }
};

// Nanoseconds per look-up: time / (iterations x look-ups / 10^9).
void SetNsPerLookup(benchmark::State& state) {
  const double lookups = static_cast<double>(kMaxComponents) * kMonthCount;
  state.counters["ns_per_lookup"] = benchmark::Counter(
      lookups / 1e9,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const FullTable& Table() {
  static const FullTable t;
  return t;
}

void BM_GetIndex(benchmark::State& state) {
  const FullTable& t = Table();
  for (auto _ : state) {
    for (int p = 1; p <= kMaxComponents; ++p) {
      for (int y = 1; y <= kYearCount; ++y) {
        for (int m = 1; m <= 12; ++m) {
          TIndexLookup l = t.table.GetIndex(MakeMonthKey(y, m), p);
          benchmark::DoNotOptimize(l);
        }
      }
    }
  }
  SetNsPerLookup(state);
}
BENCHMARK(BM_GetIndex);

void BM_PlainArrayFloor(benchmark::State& state) {
  const FullTable& t = Table();
  const double* figures = t.plain.data();
  for (auto _ : state) {
    for (int p = 0; p < kMaxComponents; ++p) {
      const double* row = figures + static_cast<std::size_t>(p) * kMonthCount;
      for (int i = 0; i < kMonthCount; ++i) {
        double f = row[i];
        benchmark::DoNotOptimize(f);
      }
    }
  }
  SetNsPerLookup(state);
}
BENCHMARK(BM_PlainArrayFloor);

}  // namespace
