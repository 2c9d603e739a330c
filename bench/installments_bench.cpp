// Recalculation of every component at full load, against a floor loop in
// the same binary that only reads the same figures and multiplies and sums
// them once per sub-period month.
//
// Cases: 50 components taking part x 999 monthly installments (each ending
// on the 20th, so every installment spans two calendar months), and
// 50 components x 120 yearly installments (twelve months each). Every
// component has a figure for every month of 1981..2100.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/date_time.h"
#include "indextable/bd_config.h"
#include "indextable/month_key.h"
#include "installments/termijn_config.h"
#include "monthly_table.h"

namespace pc {
namespace {

struct TLoad {
  TBDConfig Table{nullptr, 2008};
  TTermijnConfig Set;
  // The month key and amount of every sub-period, for the floor loop.
  std::vector<std::pair<TMonthKey, double>> Months;
};

TLoad& Load(bool yearly) {
  static TLoad* loads[2] = {nullptr, nullptr};
  TLoad*& load = loads[yearly ? 1 : 0];
  if (load) return *load;
  load = new TLoad;
  TBDConfig& t = load->Table;
  bench::FillMonthlyTable(t);
  t.ComputeTrend(0);

  TTermijnConfig& s = load->Set;
  s.SetIndexTable(&t);
  s.SetProjectDates(EncodeDate(1981, 1, 15), EncodeDate(1980, 6, 1), EncodeDate(1981, 1, 1));
  s.SetCurrentComponent(1);
  if (yearly) {
    for (int y = 0; y < 120; ++y) s.InsertInstallment("Jaar", {}, 0, 120000 + y, EncodeDate(1981 + y, 12, 31));
  } else {
    for (int m = 0; m < kMaxInstallments; ++m) {
      s.InsertInstallment("Maand", {}, 0, 10000 + m, EncodeDate(1981 + m / 12, m % 12 + 1, 20));
    }
  }
  s.Calculate(0);
  for (int i = 1; i <= s.Count(); ++i) {
    for (const TTermijnPeriod& p : s.SubPeriods(i)) {
      load->Months.emplace_back(MonthKeyOf(p.BeginDate), p.Amount);
    }
  }
  return *load;
}

void Recalculate(benchmark::State& state, bool yearly) {
  TLoad& load = Load(yearly);
  for (auto _ : state) {
    load.Set.Calculate(0);
    benchmark::DoNotOptimize(load.Set.CorrectionTotal(0));
  }
  state.counters["sub_periods"] = static_cast<double>(load.Months.size());
}

void Floor(benchmark::State& state, bool yearly) {
  TLoad& load = Load(yearly);
  const int components = load.Table.Count();
  for (auto _ : state) {
    double sum = 0;
    for (int p = 1; p <= components; ++p) {
      for (const auto& [key, amount] : load.Months) sum += load.Table.GetIndex(key, p).Figure * amount;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["sub_periods"] = static_cast<double>(load.Months.size());
}

void BM_Recalculate_50x999Monthly(benchmark::State& state) { Recalculate(state, false); }
void BM_Floor_50x999Monthly(benchmark::State& state) { Floor(state, false); }
void BM_Recalculate_50x120Yearly(benchmark::State& state) { Recalculate(state, true); }
void BM_Floor_50x120Yearly(benchmark::State& state) { Floor(state, true); }

// A copy for the undo history, the way a step begins: cheap, shared blocks.
void BM_CopyFullSet(benchmark::State& state) {
  TLoad& load = Load(false);
  for (auto _ : state) {
    TTermijnConfig copy(load.Set);
    benchmark::DoNotOptimize(copy.Count());
  }
}

BENCHMARK(BM_Recalculate_50x999Monthly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_50x999Monthly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Recalculate_50x120Yearly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Floor_50x120Yearly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CopyFullSet)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pc
