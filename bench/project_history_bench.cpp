// The undo history at full load: 50 components with 1440 figures each and
// 999 installments.
//
//  - BM_HistoryMemory: live heap bytes of a history of 100 steps, each
//    changing one figure and recalculating, against the bytes of the one
//    document it started from (counter "ratio_to_one_document"; goal <= 3).
//  - BM_EditRoundTrip: begin a step, change one figure, recalculate every
//    component, commit; the history kept full at 100 entries. Reported
//    with BM_RecalculateOnly, the calculation alone, as the baseline in the
//    same run (the round trip costs what the calculation costs plus the
//    step).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "full_project.h"
#include "project/project_history.h"

// The counting operators below pair malloc with free by design; GCC sees
// new and free meet once they are inlined into callers of this file.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<long long> g_liveBytes{0};

void* Counted(void* p) {
  if (p) g_liveBytes.fetch_add(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
  return p;
}
void Uncount(void* p) {
  if (p) g_liveBytes.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
}

}  // namespace

void* operator new(std::size_t n) {
  if (void* p = Counted(std::malloc(n ? n : 1))) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Counted(std::malloc(n ? n : 1)); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Counted(std::malloc(n ? n : 1)); }
void* operator new(std::size_t n, std::align_val_t a) {
  const std::size_t align = static_cast<std::size_t>(a);
  if (void* p = Counted(std::aligned_alloc(align, (n + align - 1) / align * align))) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n, std::align_val_t a) { return operator new(n, a); }
void operator delete(void* p) noexcept { Uncount(p); std::free(p); }
void operator delete[](void* p) noexcept { Uncount(p); std::free(p); }
void operator delete(void* p, std::size_t) noexcept { Uncount(p); std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { Uncount(p); std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { Uncount(p); std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Uncount(p); std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Uncount(p); std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Uncount(p); std::free(p); }

namespace {

using pc::project::TProject;
using pc::project::TProjectData;

using pc::bench::EditStep;
using pc::bench::FillFullProject;


void BM_HistoryMemory(benchmark::State& state) {
  double ratio = 0, one = 0, hundred = 0;
  for (auto _ : state) {
    const long long before = g_liveBytes.load();
    auto history = std::make_unique<TProject>();
    FillFullProject(*history);
    const long long oneDocument = g_liveBytes.load() - before;
    for (int i = 0; i < 100; ++i) EditStep(*history, i);
    const long long withSteps = g_liveBytes.load() - before;
    benchmark::DoNotOptimize(history->UndoCount());
    one = static_cast<double>(oneDocument);
    hundred = static_cast<double>(withSteps);
    ratio = hundred / one;
  }
  state.counters["one_document_MB"] = one / 1e6;
  state.counters["history_100_steps_MB"] = hundred / 1e6;
  state.counters["ratio_to_one_document"] = ratio;
}
BENCHMARK(BM_HistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_EditRoundTrip(benchmark::State& state) {
  TProject history;
  FillFullProject(history);
  int i = 0;
  for (; i < 100; ++i) EditStep(history, i);
  for (auto _ : state) EditStep(history, i++);
  state.counters["undo_entries"] = static_cast<double>(history.UndoCount());
}
BENCHMARK(BM_EditRoundTrip)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_RecalculateOnly(benchmark::State& state) {
  TProject history;
  FillFullProject(history);
  for (auto _ : state) history.Current().Recalculate(1, false);
}
BENCHMARK(BM_RecalculateOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
