// The index page on a full table (50 components x 1440 months) with 999
// installments, on Qt's offscreen platform: typing one figure until grid and
// totals are updated, painting one 1280 x 800 viewport of the grid, and
// pasting 1440 x 50 figures as one undo step. Each is measured beside its
// baseline: the recalculation alone, a view over a model of fixed texts, and
// the paste into the table alone.
#include <benchmark/benchmark.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QPixmap>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "common/recording_messages.h"
#include "gui/app/main_window.h"
#include "gui/common/qt_text.h"
#include "gui/indextable/index_grid_view.h"
#include "gui/indextable/index_page.h"
#include "indextable/figure_clipboard.h"

namespace {

using namespace pc;

// One window with a full document, shared by every benchmark.
struct TFullWindow {
  QTemporaryDir home;
  TRecordingMessages messages;
  std::unique_ptr<gui::TFrmMain> window;
  gui::TIndexPage* page = nullptr;

  TFullWindow() {
    const QByteArray path = home.path().toUtf8();
    setenv("HOME", path.constData(), 1);
    setenv("XDG_CONFIG_HOME", (path + "/config").constData(), 1);
    setenv("XDG_DATA_HOME", (path + "/data").constData(), 1);
    gui::TWindowSeams seams;
    seams.Messages = &messages;
    seams.ShowSplash = false;
    window = std::make_unique<gui::TFrmMain>(std::move(seams));
    project::TProjectData& doc = window->History().Current();
    TBDConfig& t = *doc.IndexTable;
    t.Clear();
    t.SetPeriodStart(kFirstMonthKey);
    t.SetPeriodEnd(kLastMonthKey);
    t.RebuildMonthList();
    for (int c = 0; c < kMaxComponents; ++c) {
      TComponentValues v;
      v.Name = "Bestanddeel " + std::to_string(c + 1);
      v.Percentage = 2;
      t.AddComponent(v);
      std::vector<TBDConfig::TRowFigure> figures;
      for (int row = 1; row <= t.MonthCount(); row += (c % 3) + 1) figures.push_back({row, 100.0 + row % 50});
      t.SetFigures(c + 1, figures);
    }
    doc.PriceReferenceDate = EncodeDate(1990, 1, 15);
    doc.StartOfWorks = EncodeDate(1990, 2, 1);
    for (int i = 0; i < 999; ++i)
      doc.Installments->InsertInstallment("Termijn", {}, 0, 10000 + i, EncodeDate(1990 + i / 12, i % 12 + 1, 20));
    window->resize(1280 + 300, 800 + 300);
    window->show();
    window->LoadPages();
    window->ShowIndexPage(true);
    page = static_cast<gui::TIndexPage*>(window->Page(gui::TPageId::TSIndex));
    page->Grid()->setFixedSize(1280, 800);
    QApplication::processEvents();
  }
};

TFullWindow& Window() {
  static int argc = 1;
  static char name[] = "bench_index_page";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  (void)app;
  static TFullWindow w;
  return w;
}

void BM_TypeOneFigure(benchmark::State& state) {
  TFullWindow& w = Window();
  gui::TIndexGridView* grid = w.page->Grid();
  QAbstractItemModel* model = grid->model();
  const QModelIndex index = model->index(120, 3);
  grid->setCurrentIndex(index);
  int k = 0;
  for (auto _ : state) {
    model->setData(index, QString::number(100 + (k++ % 7)), Qt::EditRole);  // the editor's commit
    grid->viewport()->repaint();
  }
}
BENCHMARK(BM_TypeOneFigure)->Unit(benchmark::kMillisecond);

void BM_TypeOneFigure_RecalculateOnly(benchmark::State& state) {
  TFullWindow& w = Window();
  project::TProjectData& doc = w.window->History().Current();
  for (auto _ : state) doc.Recalculate(0, false);
}
BENCHMARK(BM_TypeOneFigure_RecalculateOnly)->Unit(benchmark::kMillisecond);

void BM_PaintViewport(benchmark::State& state) {
  TFullWindow& w = Window();
  QWidget* viewport = w.page->Grid()->viewport();
  QPixmap pixmap(viewport->size());
  for (auto _ : state) viewport->render(&pixmap);
}
BENCHMARK(BM_PaintViewport)->Unit(benchmark::kMillisecond);

// The same view over fixed texts, as the floor of painting.
class TFixedTexts : public QAbstractTableModel {
 public:
  int rowCount(const QModelIndex& = {}) const override { return kMonthCount; }
  int columnCount(const QModelIndex& = {}) const override { return kMaxComponents; }
  QVariant data(const QModelIndex&, int role) const override {
    if (role == Qt::DisplayRole) return QStringLiteral("123,45");
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }
};

void BM_PaintViewport_FixedTexts(benchmark::State& state) {
  Window();
  TFixedTexts model;
  gui::TIndexGridView view;
  view.setModel(&model);
  view.setFixedSize(1280, 800);
  view.horizontalHeader()->setDefaultSectionSize(100);
  view.show();
  QApplication::processEvents();
  QPixmap pixmap(view.viewport()->size());
  for (auto _ : state) view.viewport()->render(&pixmap);
}
BENCHMARK(BM_PaintViewport_FixedTexts)->Unit(benchmark::kMillisecond);

QString FullPasteText(int base) {
  QString text;
  for (int r = 0; r < kMonthCount; ++r) {
    for (int c = 0; c < kMaxComponents; ++c) {
      if (c > 0) text += QLatin1Char('\t');
      text += QString::number(base + (r + c) % 100) + QStringLiteral(",5");
    }
    text += QStringLiteral("\r\n");
  }
  return text;
}

void BM_PasteFullTable(benchmark::State& state) {
  TFullWindow& w = Window();
  const QString texts[] = {FullPasteText(100), FullPasteText(200)};
  gui::TIndexGridView* grid = w.page->Grid();
  int k = 0;
  for (auto _ : state) {
    state.PauseTiming();
    QGuiApplication::clipboard()->setText(texts[k++ % 2]);
    grid->setCurrentIndex(grid->model()->index(0, 0));
    state.ResumeTiming();
    w.page->Paste();
  }
}
BENCHMARK(BM_PasteFullTable)->Unit(benchmark::kMillisecond);

void BM_PasteFullTable_CoreOnly(benchmark::State& state) {
  TFullWindow& w = Window();
  const std::string texts[] = {gui::FromQt(FullPasteText(300)), gui::FromQt(FullPasteText(400))};
  TBDConfig table = *w.window->History().Current().IndexTable;
  int k = 0;
  for (auto _ : state) PasteFigures(table, texts[k++ % 2], {1, 1, kMaxComponents, kMonthCount});
}
BENCHMARK(BM_PasteFullTable_CoreOnly)->Unit(benchmark::kMillisecond);

}  // namespace
