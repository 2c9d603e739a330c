// prijscorrectum-cli update [--server URL]
//
// Runs one update pass against the update server (the built-in one, the
// one in PRIJSCORRECTUM_UPDATE_SERVER, or --server), prints each status line
// as it comes, keeps the update log and stores what the pass changed in the
// settings. The exit status is the pass's result code (0 success, 1..7).
// Ctrl-C (or SIGTERM) stops the pass as the window's stop button does.
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "cli/command_registry.h"
#include "common/cp1252.h"
#include "platform/environment.h"
#include "platform/file_registry.h"
#include "platform/folders.h"
#include "platform/system_proxy.h"
#include "settings/kv_config.h"
#include "update/kv_update.h"
#include "update/server_url.h"
#include "update/update_log.h"
#include "update/update_result.h"

namespace {

using namespace pc;

// The main window's part: status lines on the terminal and in the log.
class PrintingEvents final : public update::UpdateEvents {
 public:
  explicit PrintingEvents(update::TLog& log) : log_(log) {}
  void OnUpdateStart() override { bar_maximum_ = 0; }
  void OnUpdateStatus(const std::string& text, std::int32_t position, std::int32_t) override {
    const std::string line = update::ProgressLine(text, position, bar_maximum_);
    log_.Add(line);
    std::fputs((Cp1252ToUtf8(line) + "\n").c_str(), stdout);
    std::fflush(stdout);
  }
  void OnDownloadBegin(std::int32_t size) override { bar_maximum_ = size; }
  void OnDownloadEnd() override {}
  void OnUpdateDone(std::int32_t) override {}

 private:
  update::TLog& log_;
  std::int32_t bar_maximum_ = 0;
};

// Turns SIGINT and SIGTERM into a stop request while a pass runs. The
// signals are blocked in every thread from construction on and taken by a
// watching thread, so no handler runs inside the worker.
class StopOnSignal {
 public:
  StopOnSignal() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals_, &previous_);
  }
  ~StopOnSignal() {
    Unwatch();
    pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
  }
  StopOnSignal(const StopOnSignal&) = delete;
  StopOnSignal& operator=(const StopOnSignal&) = delete;

  void Watch(update::TKVUpdate& worker) {
    watcher_ = std::thread([this, &worker] {
      const timespec wait{0, 100'000'000};
      while (!done_) {
        if (sigtimedwait(&signals_, nullptr, &wait) > 0) worker.RequestStop();
      }
    });
  }
  // Ends the watching; call it before the worker goes away.
  void Unwatch() {
    done_ = true;
    if (watcher_.joinable()) watcher_.join();
  }

 private:
  sigset_t signals_{};
  sigset_t previous_{};
  std::atomic<bool> done_{false};
  std::thread watcher_;
};

int Usage(const std::string& problem) {
  std::fprintf(stderr, "prijscorrectum-cli update: %s\nusage: prijscorrectum-cli update [--server URL]\n",
               problem.c_str());
  return static_cast<int>(cli::ExitCode::Usage);
}

int RunUpdate(const std::vector<std::string>& args) {
  std::string server;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--server" && i + 1 < args.size()) {
      server = Utf8ToCp1252(args[++i]);
    } else if (args[i].starts_with("--server=")) {
      server = Utf8ToCp1252(args[i].substr(9));
    } else {
      return Usage("unexpected argument '" + args[i] + "'");
    }
  }
  const platform::Environment& env = platform::ProcessEnvironment();
  const std::string baseUrl = update::UpdateServerUrl(env, server);
  if (!update::IsHttpUrl(baseUrl)) return Usage("the server must be an http:// or https:// URL: " + baseUrl);

  platform::FileRegistry registry(platform::DefaultSettingsFile(env), platform::XdgShellFolders(env));
  platform::EnvironmentProxy systemProxy(env);
  settings::TKVConfig config({registry, systemProxy, platform::ProgramFolder(), platform::UpdatesFolder()});
  config.Load();
  if (config.centralPath.empty()) config.SetDefaultIndexFolder();
  // The index folder receives the index files; the program makes it at its
  // start, so the companion does the same.
  platform::CreateFolderWithParents(config.centralPath);

  update::TLog log(platform::LogFolder(), ".txt");
  if (!log.onDisk()) std::fprintf(stderr, "%s\n", Cp1252ToUtf8(update::kInMemoryWarning).c_str());

  update::SyncQueue sync;
  update::UpdateContext context(config, log, sync);
  context.systemProxy = &systemProxy;
  context.baseUrl = baseUrl;
  context.updatesFolder = platform::UpdatesFolder();
  context.tempFolder = platform::TempFolder(env);
  PrintingEvents events(log);
  StopOnSignal stopOnSignal;
  update::TKVUpdate worker(context, events);
  stopOnSignal.Watch(worker);
  worker.WaitFor();
  stopOnSignal.Unwatch();
  const std::int32_t code = worker.ResultCode();

  const std::string outcome = code == 0 ? std::string(update::kUpdateSucceededText)
                                        : std::string(update::kUpdateFailedPrefix) + update::UpdateResultText(code);
  std::fputs((Cp1252ToUtf8(outcome) + "\n").c_str(), code == 0 ? stdout : stderr);
  if (config.Save() != platform::RegistryResult::Ok) {
    std::fputs("prijscorrectum-cli update: the settings could not be saved\n", stderr);
  }
  log.Close();
  return code;
}

const cli::CommandRegistration kRegistration("update", "update [--server URL]", RunUpdate);

}  // namespace
