// The installments page of the real main window (offscreen) at full load:
// 50 components taking part x 999 monthly installments (each ending on the
// 20th, so two sub-periods each), every installment expanded: 2997 rows.
//
// - GridFill: filling the grid for the current component, as after a
//   calculation: the model follows the set and the view paints every
//   visible cell. Budget 20 ms.
// - TypeOneAmount: one amount typed into an installment's cell, through the
//   model as the cell editor stores it: undo step, change, calculation of
//   all 50 components, grid and totals refilled and painted. Budget 8 ms
//   (median; the median per typing is reported as the counter median_ms).
// Baselines in the same run: the calculation alone (Calculate(0)) and the
// texts of every cell of every row (what a grid holding all its texts, not
// only the visible ones, would produce on every fill).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "common/date_time.h"
#include "common/recording_messages.h"
#include "gui/app/main_window.h"
#include "gui/common/qt_text.h"
#include "gui/installments/installments_page.h"
#include "indextable/month_key.h"
#include "installments/termijn_grid.h"
#include "monthly_table.h"

namespace pc {
namespace {

struct TFixture {
  TFixture() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string home = gui::PathFromQt(dir.path());
    setenv("HOME", home.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home + "/data").c_str(), 1);
    setenv("XDG_STATE_HOME", (home + "/state").c_str(), 1);
    app = std::make_unique<QApplication>(argc, argv);
    gui::TWindowSeams seams;
    seams.Messages = &messages;
    seams.ShowSplash = false;
    window = std::make_unique<gui::TFrmMain>(std::move(seams));
    Fill(window->History().Current());
    window->resize(883, 599);
    window->show();
    window->ShowInstallmentsPage(true);
    page = static_cast<gui::TInstallmentsPage*>(window->Page(gui::TPageId::TSTermijn));
    QApplication::processEvents();
  }

  static void Fill(project::TProjectData& doc) {
    TBDConfig& t = *doc.IndexTable;
    bench::FillMonthlyTable(t);
    doc.PriceReferenceDate = EncodeDate(1981, 1, 15);
    doc.TenderDate = EncodeDate(1980, 6, 1);
    doc.StartOfWorks = EncodeDate(1981, 1, 1);
    TTermijnConfig& s = *doc.Installments;
    s.Clear();
    s.SetProjectDates(doc.PriceReferenceDate, doc.TenderDate, doc.StartOfWorks);
    for (int m = 0; m < kMaxInstallments; ++m)
      s.InsertInstallment("Maand", {}, 0, 10000 + m, EncodeDate(1981 + m / 12, m % 12 + 1, 20));
    s.Calculate(0);
    for (int slot = s.Count(); slot >= 1; --slot) s.Expand(s.GridRow(slot));
  }

  int argc = 1;
  char name[16] = "bench";
  char* argv[2] = {name, nullptr};
  QTemporaryDir dir;
  std::unique_ptr<QApplication> app;
  TRecordingMessages messages;
  std::unique_ptr<gui::TFrmMain> window;
  gui::TInstallmentsPage* page = nullptr;
};

TFixture& Fixture() {
  static TFixture* fixture = new TFixture;
  return *fixture;
}

void Paint(gui::TInstallmentsPage& page) { page.Grid()->viewport()->repaint(); }

void BM_GridFill_50x999AllExpanded(benchmark::State& state) {
  TFixture& f = Fixture();
  for (auto _ : state) {
    f.page->Model()->Refill(0);
    Paint(*f.page);
  }
  state.counters["rows"] = f.page->Model()->rowCount();
}

void BM_Baseline_AllCellTexts_50x999AllExpanded(benchmark::State& state) {
  TFixture& f = Fixture();
  const TTermijnConfig& set = *f.window->History().Current().Installments;
  for (auto _ : state) {
    const TTermijnGrid grid(set);
    std::size_t length = 0;
    for (int r = 1; r <= grid.NewEntryRow(); ++r)
      for (int c = 0; c < kGridColumns; ++c) length += grid.Cell(r, c).Text.size();
    benchmark::DoNotOptimize(length);
  }
}

void BM_Baseline_Calculate_50x999(benchmark::State& state) {
  TFixture& f = Fixture();
  TTermijnConfig& set = *f.window->History().Current().Installments;
  for (auto _ : state) {
    set.Calculate(0);
    benchmark::DoNotOptimize(set.CorrectionTotal(0));
  }
}

void BM_TypeOneAmount_50x999AllExpanded(benchmark::State& state) {
  TFixture& f = Fixture();
  gui::TInstallmentGridModel& model = *f.page->Model();
  const int row = f.window->History().Current().Installments->GridRow(500);
  const QModelIndex cell = model.index(gui::TInstallmentGridModel::ModelRow(row), 5);
  std::vector<double> wall;
  std::vector<double> cpu;
  int n = 0;
  for (auto _ : state) {
    QElapsedTimer timer;
    timer.start();
    const std::clock_t start = std::clock();
    model.setData(cell, QString::number(20000 + (n++ % 1000)), Qt::EditRole);
    Paint(*f.page);
    cpu.push_back(1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC);
    wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  }
  auto median = [](std::vector<double>& v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
  };
  state.counters["median_ms"] = median(wall);
  state.counters["median_cpu_ms"] = median(cpu);
}

BENCHMARK(BM_GridFill_50x999AllExpanded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_AllCellTexts_50x999AllExpanded)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Baseline_Calculate_50x999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeOneAmount_50x999AllExpanded)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace pc
