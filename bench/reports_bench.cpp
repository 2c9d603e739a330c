// Reports to PDF and the first page of a preview, each against a floor in
// the same binary: the same texts drawn by QPainter on a QPdfWriter at fixed
// places, one sheet per 50 rows, without definitions or layout.
//
// Cases: the index report of a full table (50 components x 1440 months,
// 1981..2100) and the installment report of one component with 999 monthly
// installments (each spanning two months: 2997 lines). The preview case
// shows the installment report and the full index report in the window's
// preview frame and grabs its first page on screen.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <cstdlib>

#include "common/date_time.h"
#include "gui/reports/print_preview_frame.h"
#include "gui/reports/report_fonts.h"
#include "gui/reports/report_module.h"
#include "gui/reports/report_output.h"
#include "gui/reports/report_text.h"
#include "indextable/month_key.h"
#include "reports/report_feeds.h"

namespace pc::gui {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "bench_reports";
  static char* argv[] = {name, nullptr};
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(argc, argv);
  return app;
}

QTemporaryDir& Folder() {
  static QTemporaryDir dir;
  return dir;
}

project::TProjectData& FullTable() {
  static project::TProjectData document;
  static bool built = false;
  if (!built) {
    built = true;
    document.EnsureModels();
    TBDConfig& table = *document.IndexTable;
    table.SetPeriodStart(kFirstMonthKey);
    table.SetPeriodEnd(kLastMonthKey);
    table.RebuildMonthList();
    for (int c = 1; c <= kMaxComponents; ++c) {
      TComponentValues values;
      values.Name = "Bestanddeel " + std::to_string(c);
      values.Percentage = 2;
      const int position = table.PositionOf(table.AddComponent(values));
      for (int row = 1; row <= table.MonthCount(); ++row)
        table.SetFigure(position, row, false, 90 + c + (row % 400) * 0.25);
    }
    document.ProjectName = "Volle tabel";
    document.Client = "Opdrachtgever";
  }
  return document;
}

project::TProjectData& LongInstallments() {
  static project::TProjectData document;
  static bool built = false;
  if (!built) {
    built = true;
    document.EnsureModels();
    TBDConfig& table = *document.IndexTable;
    table.SetPeriodStart(kFirstMonthKey);
    table.SetPeriodEnd(kLastMonthKey);
    table.RebuildMonthList();
    TComponentValues values;
    values.Name = "Lonen";
    values.Percentage = 40;
    const int position = table.PositionOf(table.AddComponent(values));
    for (int row = 1; row <= table.MonthCount(); ++row) table.SetFigure(position, row, false, 100 + row * 0.1);
    document.ProjectName = "Lange looptijd";
    document.PriceReferenceDate = EncodeDate(2001, 1, 1);
    document.TenderDate = document.PriceReferenceDate;
    document.StartOfWorks = EncodeDate(2001, 1, 1);
    TTermijnConfig& set = *document.Installments;
    set.SetProjectDates(document.PriceReferenceDate, document.TenderDate, document.StartOfWorks);
    for (int i = 0; i < kMaxInstallments; ++i) {
      const int year = 2001 + (i + 1) / 12;
      const int month = (i + 1) % 12 + 1;
      set.InsertInstallment("Termijn " + std::to_string(i + 1), {}, 0, 10000, EncodeDate(year, month, 20));
    }
    document.Recalculate(1, true);
  }
  return document;
}

// The floor: every text drawn at a fixed place, 50 rows a sheet.
void DrawFloor(const std::vector<std::vector<std::string>>& rows, const QString& path) {
  QPdfWriter writer(path);
  writer.setPageLayout(ReportPageLayout(false));
  writer.setResolution(300);
  QPainter painter(&writer);
  painter.setFont(ReportFont({8, false, false}));
  const double step = 300 / 25.4 * 4.2;
  const double column = 300 / 25.4 * 19;
  int line = 0;
  for (const auto& row : rows) {
    if (line == 50) {
      writer.newPage();
      line = 0;
    }
    for (std::size_t c = 0; c < row.size(); ++c)
      painter.drawText(QRectF(c * column, line * step, column, step), Qt::AlignLeft | Qt::AlignVCenter,
                       ReportText(row[c]));
    ++line;
  }
}

// The texts of the index report as the floor draws them: per column group
// of 7, every month with its figures.
std::vector<std::vector<std::string>> IndexTexts(const reports::TIndexReportData& data, int columns) {
  std::vector<std::vector<std::string>> rows;
  for (int first = 0; first < data.Count(); first += columns) {
    for (const reports::TIndexReportRow& month : data.Rows) {
      std::vector<std::string> row{month.Month};
      for (int p = first; p < std::min(first + columns, data.Count()); ++p)
        row.push_back(month.Cells[static_cast<std::size_t>(p)].Text);
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

std::vector<std::vector<std::string>> InstallmentTexts(const reports::TInstallmentReportData& data) {
  std::vector<std::vector<std::string>> rows;
  for (const reports::TReportSection& section : data.Sections)
    for (const reports::TReportLine& l : section.Lines)
      rows.push_back({l.Name, l.BeginDate, l.EndDate, l.Days, l.Amount, l.Share, l.ComponentAmount, l.Change,
                      l.Correction});
  return rows;
}

void BM_IndexReportFullTableToPdf(benchmark::State& state) {
  App();
  const project::TProjectData& doc = FullTable();
  const QString path = Folder().filePath(QStringLiteral("index.pdf"));
  for (auto _ : state) {
    const auto data = reports::FeedIndexReport(reports::ReportHeaderOf(doc), *doc.IndexTable);
    const QPageLayout layout = ReportPageLayout(false);
    QString error;
    if (!WriteReportPdf(LayOutIndexReport(data, layout, false, TodayLocal()), layout, path, error))
      state.SkipWithError("PDF");
  }
}
BENCHMARK(BM_IndexReportFullTableToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_IndexReportFullTableLayoutOnly(benchmark::State& state) {
  App();
  const project::TProjectData& doc = FullTable();
  for (auto _ : state) {
    const auto data = reports::FeedIndexReport(reports::ReportHeaderOf(doc), *doc.IndexTable);
    benchmark::DoNotOptimize(LayOutIndexReport(data, ReportPageLayout(false), false, TodayLocal()).PageCount());
  }
}
BENCHMARK(BM_IndexReportFullTableLayoutOnly)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_IndexReportFullTableFloor(benchmark::State& state) {
  App();
  const project::TProjectData& doc = FullTable();
  const auto data = reports::FeedIndexReport(reports::ReportHeaderOf(doc), *doc.IndexTable);
  const auto rows = IndexTexts(data, 7);
  const QString path = Folder().filePath(QStringLiteral("index-floor.pdf"));
  for (auto _ : state) DrawFloor(rows, path);
}
BENCHMARK(BM_IndexReportFullTableFloor)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_InstallmentReport999ToPdf(benchmark::State& state) {
  App();
  const project::TProjectData& doc = LongInstallments();
  const QString path = Folder().filePath(QStringLiteral("termijn.pdf"));
  for (auto _ : state) {
    const auto data = reports::FeedInstallmentReport(doc, {1}, true);
    const QPageLayout layout = ReportPageLayout(false);
    QString error;
    if (!WriteReportPdf(LayOutInstallmentReport(data, layout, false, TodayLocal()), layout, path, error))
      state.SkipWithError("PDF");
  }
}
BENCHMARK(BM_InstallmentReport999ToPdf)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_InstallmentReport999Floor(benchmark::State& state) {
  App();
  const auto data = reports::FeedInstallmentReport(LongInstallments(), {1}, true);
  const auto rows = InstallmentTexts(data);
  const QString path = Folder().filePath(QStringLiteral("termijn-floor.pdf"));
  for (auto _ : state) DrawFloor(rows, path);
}
BENCHMARK(BM_InstallmentReport999Floor)->Unit(benchmark::kMillisecond)->Iterations(5);

// From Show to the first page grabbed from the screen.
void FirstPreviewPage(benchmark::State& state, bool index) {
  App();
  TReportModule module;
  if (index) {
    const project::TProjectData& doc = FullTable();
    module.SetIndexReport(reports::FeedIndexReport(reports::ReportHeaderOf(doc), *doc.IndexTable));
  } else {
    module.SetInstallmentReport(reports::FeedInstallmentReport(LongInstallments(), {1}, true));
  }
  for (auto _ : state) {
    TFrmePrintPreview frame(module);
    frame.resize(1000, 700);
    frame.show();
    frame.Show(index, false, "project.kvp", "index.kvi");
    const QPixmap shot = frame.grab();
    benchmark::DoNotOptimize(shot.cacheKey());
  }
}
void BM_FirstPreviewPageInstallments(benchmark::State& state) { FirstPreviewPage(state, false); }
void BM_FirstPreviewPageFullIndex(benchmark::State& state) { FirstPreviewPage(state, true); }
BENCHMARK(BM_FirstPreviewPageInstallments)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_FirstPreviewPageFullIndex)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace pc::gui
