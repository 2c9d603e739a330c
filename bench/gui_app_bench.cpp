// The window program's figures, offscreen:
//
//  - BM_ProgramStart: the program started as a user starts it, on the
//    example. Counters: start to the splash shown ("to_splash_ms", goal
//    < 300), the splash's end to the main window shown with the example
//    open ("splash_end_to_window_ms", goal < 300), the whole start without
//    the splash's fixed time ("start_without_splash_ms"), the same for a
//    bare QMainWindow program ("bare_qmainwindow_ms") and their ratio
//    ("ratio_to_bare", goal <= 2). Medians over the iterations; each
//    iteration starts both programs once.
//  - BM_OpenFullProject: opening a project of 50 components x 1440 months
//    and 999 installments until its pages are loaded (goal < 100 ms).
//  - BM_UndoFullLoad: undo at full load, the window put back and its pages
//    reloaded (goal < 8 ms median), with BM_UndoCoreOnly, the history's own
//    undo, as the reference.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "common/recording_messages.h"
#include "gui/app/application.h"
#include "gui/app/main_window.h"
#include "gui/common/qt_text.h"
#include "full_project.h"
#include "project/document_commands.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

long long Now() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Runs `program` with `args`; the "name value" lines it prints.
std::map<std::string, long long> RunChild(const char* program, const std::vector<std::string>& args) {
  std::map<std::string, long long> values;
  int out[2];
  if (pipe(out) != 0) return values;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<char*> argv{const_cast<char*>(program)};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, program, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  char buffer[512];
  ssize_t n;
  while ((n = read(out[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
  close(out[0]);
  if (spawned != 0) return values;
  int status = 0;
  waitpid(pid, &status, 0);
  char name[64];
  long long value = 0;
  const char* p = text.c_str();
  int used = 0;
  while (std::sscanf(p, "%63s %lld%n", name, &value, &used) == 2) {
    values[name] = value;
    p += used;
  }
  return values;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

struct Environment {
  QTemporaryDir home;
  std::string example;
  std::string fullProject;
  Environment() {
    const std::string h = pc::gui::PathFromQt(home.path());
    setenv("HOME", h.c_str(), 1);
    setenv("XDG_CONFIG_HOME", (h + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (h + "/data").c_str(), 1);
    setenv("XDG_STATE_HOME", (h + "/state").c_str(), 1);
    for (const char* ext : {".kvp", ".kvi"})
      QFile::copy(QStringLiteral(PC_EXAMPLES_DIR "/worked-example") + QLatin1String(ext),
                  home.path() + QStringLiteral("/example") + QLatin1String(ext));
    example = h + "/example.kvp";
    fullProject = pc::bench::WriteFullProject(h);
  }
};
Environment* g_env = nullptr;

void BM_ProgramStart(benchmark::State& state) {
  std::vector<double> toSplash, splashToWindow, whole, bare, ratio;
  for (auto _ : state) {
    const long long t0 = Now();
    auto start = RunChild(PC_START_CHILD, {g_env->example});
    const long long b0 = Now();
    auto baseline = RunChild(PC_BARE_CHILD, {});
    if (!start.count("shown") || !start["splash"] || !baseline.count("shown")) {
      state.SkipWithError("a started program did not report");
      return;
    }
    const double splashShown = (start["splash"] - t0) / 1e6;
    const double splashTime = (start["splash_end"] - start["splash"]) / 1e6;
    const double windowAfterSplash = (start["shown"] - start["splash_end"]) / 1e6;
    const double withoutSplash = (start["shown"] - t0) / 1e6 - splashTime;
    const double bareStart = (baseline["shown"] - b0) / 1e6;
    toSplash.push_back(splashShown);
    splashToWindow.push_back(windowAfterSplash);
    whole.push_back(withoutSplash);
    bare.push_back(bareStart);
    ratio.push_back(withoutSplash / bareStart);
    state.SetIterationTime(withoutSplash / 1e3);
  }
  state.counters["to_splash_ms"] = Median(toSplash);
  state.counters["splash_end_to_window_ms"] = Median(splashToWindow);
  state.counters["start_without_splash_ms"] = Median(whole);
  state.counters["bare_qmainwindow_ms"] = Median(bare);
  state.counters["ratio_to_bare"] = Median(ratio);
}
BENCHMARK(BM_ProgramStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The real main window with questions answered "Nee"/closed and no splash.
struct BenchWindow {
  pc::TRecordingMessages messages;
  std::unique_ptr<pc::gui::TFrmMain> window;
  explicit BenchWindow(std::vector<std::string> arguments) {
    pc::gui::TWindowSeams seams;
    seams.Messages = &messages;
    seams.ShowSplash = false;
    seams.Arguments = std::move(arguments);
    window = std::make_unique<pc::gui::TFrmMain>(std::move(seams));
    window->show();
    QApplication::processEvents();
  }
};

void BM_OpenFullProject(benchmark::State& state) {
  BenchWindow w({});
  for (auto _ : state) {
    const bool opened = w.window->Commands().OpenProject(false, g_env->fullProject, {});
    if (!opened || w.window->History().Current().Installments->Count() != pc::bench::kFullInstallments) {
      state.SkipWithError("the full project did not open");
      return;
    }
  }
}
BENCHMARK(BM_OpenFullProject)->Unit(benchmark::kMillisecond);

// The reference: the history's own open of the same file, no window.
void BM_OpenFullProjectCoreOnly(benchmark::State& state) {
  pc::project::TProject history;
  for (auto _ : state) {
    if (!history.OpenDocument(g_env->fullProject, {})) {
      state.SkipWithError("the full project did not open");
      return;
    }
  }
}
BENCHMARK(BM_OpenFullProjectCoreOnly)->Unit(benchmark::kMillisecond);

// One edit as a page makes it: a figure changed, everything recalculated.

void UndoBenchmark(benchmark::State& state, bool throughWindow) {
  BenchWindow w({g_env->fullProject});
  pc::project::TProject& history = w.window->History();
  if (!throughWindow) history.OnRestore = nullptr;
  w.window->ShowIndexPage(true);
  std::vector<double> times;
  int i = 0;
  for (auto _ : state) {
    pc::bench::EditStep(history, i++);
    // As a page does after its step: the window's commands follow the
    // history, so the undo action is enabled when it is triggered.
    w.window->UpdateWindowState();
    const auto t = Clock::now();
    if (throughWindow)
      w.window->Action("actUndo")->trigger();
    else
      history.Undo();
    const double seconds = std::chrono::duration<double>(Clock::now() - t).count();
    state.SetIterationTime(seconds);
    times.push_back(seconds * 1e3);
  }
  state.counters["median_ms"] = Median(times);
}
void BM_UndoFullLoad(benchmark::State& state) { UndoBenchmark(state, true); }
void BM_UndoCoreOnly(benchmark::State& state) { UndoBenchmark(state, false); }
BENCHMARK(BM_UndoFullLoad)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_UndoCoreOnly)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  Environment env;  // before the application, so its settings land in the temporary home
  g_env = &env;
  QApplication app(argc, argv);
  pc::gui::SetUpApplication(app);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
