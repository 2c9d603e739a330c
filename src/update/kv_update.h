// TKVUpdate: one update pass on a thread of its own. It fetches the
// information file from the update server, downloads the set-up file and
// index files it names, rebuilds the lists of downloaded and online index
// files, and reports every step through five notifications that run as
// synchronised calls on the main thread, and in the update log.
//
// Files from the server are written only directly inside their target
// folder, under names that cannot leave it, and only whole: a failed or
// stopped download leaves an existing file as it was.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/local_time.h"
#include "platform/system_proxy.h"
#include "settings/kv_config.h"
#include "update/downloader.h"
#include "update/info_file.h"
#include "update/main_thread_sync.h"
#include "update/update_log.h"
#include "update/update_result.h"

namespace pc::update {

// The five notifications; all are called on the main thread.
class UpdateEvents {
 public:
  virtual ~UpdateEvents() = default;
  virtual void OnUpdateStart() {}
  // position and maximum are -1 unless a transfer of known size runs.
  virtual void OnUpdateStatus(const std::string& /*text*/, std::int32_t /*position*/, std::int32_t /*maximum*/) {}
  virtual void OnUpdateDone(std::int32_t /*code*/) {}
  virtual void OnDownloadBegin(std::int32_t /*size*/) {}
  virtual void OnDownloadEnd() {}
};

// Everything a pass works with. References must outlive the worker.
struct UpdateContext {
  UpdateContext(settings::TKVConfig& c, TLog& l, MainThreadSync& s) : config(c), log(l), sync(s) {}
  settings::TKVConfig& config;
  TLog& log;
  MainThreadSync& sync;
  // The system's connection setting, used by UrlMon; null: direct.
  const platform::SystemProxy* systemProxy = nullptr;
  // The server's base URL, ending in "update/".
  std::string baseUrl;
  std::string updatesFolder;  // created at the start of every attempt
  std::string tempFolder;     // ends with the separator
  TransportOptions transport;
  // A pass that has not ended after this long is cut off (0: no bound).
  long passTimeLimitMs = 20L * 60 * 1000;
  bool urlMonAvailable = true;
  // The project history's re-pointing of references to replaced entries.
  settings::RelinkOnlineInfoFn relink;
  std::function<platform::LocalDateTime()> clock = platform::LocalNow;
};

// "Autoupdate voortgang: " + text + " ", and while a transfer with a known
// size runs (position not -1, barMaximum above 0) the percentage as
// "(12,34%)": the main window's status line, which also goes to the log.
std::string ProgressLine(const std::string& text, std::int32_t position, std::int32_t barMaximum);

// "YYYYMMDDHHNNSS".
std::string FormatStamp(const platform::LocalDateTime& t);

// The login as it travels in the query: unchanged, except that blanks,
// control and non-ASCII characters and the characters that would change
// the query or the URL ("#", "%", "&", "+" and the like) are percent-encoded.
std::string QueryLogin(const std::string& login);

class TKVUpdate : private TransportHost {
 public:
  // Copies the settings it needs (on the calling, main, thread), configures
  // the transports and starts the pass at once.
  TKVUpdate(UpdateContext context, UpdateEvents& events);
  // Stops and waits (see WaitFor) when still running.
  ~TKVUpdate() override;
  TKVUpdate(const TKVUpdate&) = delete;
  TKVUpdate& operator=(const TKVUpdate&) = delete;

  // Asks the pass to stop; it ends promptly with code 7.
  void RequestStop();
  // Main thread: runs the worker's synchronised calls until its thread has
  // ended, then joins it.
  void WaitFor();
  // The thread has ended (OnUpdateDone has been delivered).
  bool Finished() const { return finished_.load(); }
  std::int32_t ResultCode() const { return result_code_.load(); }

 private:
  void Run();
  void RunAttempt();
  void ProcessLines(const std::vector<std::string>& lines);
  void FetchFile(const std::string& name, TargetFolder target);
  void LogConnection();
  void EndOfPass();
  void Fail(UpdateResult code) { result_code_ = static_cast<std::int32_t>(code); }
  bool PastDeadline() const;
  // Ends the pass because its time is up (once).
  void TimeUp();
  bool Failed() const { return result_code_.load() != 0; }
  std::string Stamp() const { return FormatStamp(context_.clock()); }

  // TransportHost
  bool StopRequested() const override { return stop_.load() || PastDeadline(); }
  void SetConnected() override { connected_ = true; }
  void SetDownloadRunning(bool running) override { download_running_ = running; }
  void SetProgress(std::int32_t position, std::int32_t maximum) override {
    position_ = position;
    maximum_ = maximum;
  }
  void SetPosition(std::int32_t position) override { position_ = position; }
  void Status(const std::string& text) override;
  void ResendStatus() override { Status(status_text_); }
  void DownloadBegin(std::int32_t size) override;
  void DownloadEnd() override;
  void Log(std::string_view line) override { context_.log.Add(line); }

  UpdateContext context_;
  UpdateEvents& events_;

  // Settings, copied at construction.
  std::string login_name_;
  bool skip_core_file_ = false;
  std::string last_downloaded_core_file_;
  std::string index_folder_;
  settings::proxyInfoRec proxy_;

  TUrlMon url_mon_;
  TIcsTransport ics_;
  TDownloader downloader_;

  // State of the pass (worker thread only, except the atomics).
  bool download_running_ = false;
  std::string login_;
  std::string core_file_name_;
  bool connected_ = false;
  std::string status_text_;
  std::int32_t position_ = -1;
  std::int32_t maximum_ = -1;
  std::atomic<std::int32_t> result_code_{0};
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  std::chrono::steady_clock::time_point deadline_;
  bool time_up_reported_ = false;

  // The lists as this pass rebuilds them; handed over at the end.
  std::optional<std::vector<settings::KVDownloadedIndexInfoRec>> downloaded_;
  std::optional<std::vector<settings::KVAvailOnlineIndexRec>> online_;
  bool downloaded_started_ = false;  // in the current attempt
  bool online_started_ = false;

  std::thread thread_;
};

// Starts and stops passes, one at a time (the main window's part).
class UpdateRunner {
 public:
  explicit UpdateRunner(std::function<UpdateContext()> makeContext) : make_context_(std::move(makeContext)) {}
  ~UpdateRunner() { StopUpdate(); }
  // Does nothing while a pass runs; otherwise frees the finished worker and
  // starts a new pass.
  void StartUpdate(UpdateEvents& events);
  // Asks a running pass to stop and waits until it has ended.
  void StopUpdate();
  bool Running() const { return worker_ != nullptr && !worker_->Finished(); }
  const TKVUpdate* Worker() const { return worker_.get(); }

 private:
  std::function<UpdateContext()> make_context_;
  std::unique_ptr<TKVUpdate> worker_;
};

}  // namespace pc::update
