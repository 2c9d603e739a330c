// A complete update pass against the local test server: settings in a
// memory registry, the index, update and temporary folders and the log in a
// temporary folder, and notifications recorded on the main thread.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "fixture/test_servers.h"
#include "platform/memory_registry.h"
#include "platform/system_proxy.h"
#include "settings/kv_config.h"
#include "update/kv_update.h"
#include "update/update_log.h"

namespace pc::update::testing {

namespace fs = std::filesystem;

// Records every notification, and, like the main window, writes each status
// line to the log.
class RecordingEvents : public UpdateEvents {
 public:
  explicit RecordingEvents(TLog* log = nullptr) : log_(log), main_(std::this_thread::get_id()) {}
  void OnUpdateStart() override {
    Check();
    ++starts;
    barMaximum = 0;
  }
  void OnUpdateStatus(const std::string& text, std::int32_t position, std::int32_t maximum) override {
    Check();
    statuses.push_back(text);
    positions.push_back(position);
    if (position != -1 && maximum < -1) badMaximum = true;
    if (log_ != nullptr) log_->Add(ProgressLine(text, position, barMaximum));
    if (onStatus) onStatus(text);
  }
  void OnUpdateDone(std::int32_t code) override {
    Check();
    done.push_back(code);
  }
  void OnDownloadBegin(std::int32_t size) override {
    Check();
    ++begins;
    barMaximum = size;
  }
  void OnDownloadEnd() override {
    Check();
    ++ends;
  }

  std::vector<std::string> statuses;
  std::vector<std::int32_t> positions;
  std::vector<std::int32_t> done;
  int starts = 0;
  int begins = 0;
  int ends = 0;
  std::int32_t barMaximum = 0;
  bool offMainThread = false;
  bool badMaximum = false;
  std::function<void(const std::string&)> onStatus;

 private:
  void Check() {
    if (std::this_thread::get_id() != main_) offMainThread = true;
  }
  TLog* log_;
  std::thread::id main_;
};

// `expected` appears in `actual` in this order (other lines may lie between).
inline ::testing::AssertionResult InOrder(const std::vector<std::string>& actual,
                                          const std::vector<std::string>& expected) {
  std::size_t at = 0;
  for (const auto& line : actual)
    if (at < expected.size() && line == expected[at]) ++at;
  if (at == expected.size()) return ::testing::AssertionSuccess();
  std::string all;
  for (const auto& line : actual) all += "  " + line + "\n";
  return ::testing::AssertionFailure() << "missing \"" << expected[at] << "\" in order; got:\n" << all;
}

inline int Count(const std::vector<std::string>& lines, const std::string& line) {
  int n = 0;
  for (const auto& l : lines) n += l == line ? 1 : 0;
  return n;
}

class UpdatePassFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(server_.Start(&why)) << why;
    fs::create_directories(IndexFolder());
    fs::create_directories(TempFolder());
    config_ = std::make_unique<settings::TKVConfig>(
        settings::TKVConfig::Context{registry_, configSystemProxy_, dir_.path().string(), UpdatesFolder()});
    config_->SetDefaults();
    config_->centralPath = IndexFolder() + "/";
    log_ = std::make_unique<TLog>((dir_.path() / "AutoUpdateLog").string(), ".txt");
    events_ = std::make_unique<RecordingEvents>(log_.get());
  }

  std::string IndexFolder() const { return (dir_.path() / "index").string(); }
  std::string UpdatesFolder() const { return (dir_.path() / "data" / "Updates").string(); }
  std::string TempFolder() const { return (dir_.path() / "tmp").string() + "/"; }

  UpdateContext Context() {
    UpdateContext c(*config_, *log_, sync_);
    c.systemProxy = &urlMonProxy_;
    c.baseUrl = baseUrl_.empty() ? server_.BaseUrl() : baseUrl_;
    c.updatesFolder = UpdatesFolder();
    c.tempFolder = TempFolder();
    c.transport.timeouts = {2000, 2000, 10000};
    c.urlMonAvailable = urlMonAvailable_;
    c.relink = relink_;
    c.clock = [] { return platform::LocalDateTime{2007, 7, 5, 9, 41, 7}; };
    return c;
  }

  // Runs one pass to its end; returns its code.
  int RunPass() {
    TKVUpdate worker(Context(), *events_);
    worker.WaitFor();
    return worker.ResultCode();
  }

  std::vector<std::string> FilesIn(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  pc::testing::UpdateTestServer server_;
  pc::testing::TempDir dir_;
  platform::MemoryRegistry registry_;
  platform::MemorySystemProxy configSystemProxy_;  // what QuerySystemProxy reads
  platform::MemorySystemProxy urlMonProxy_;        // UrlMon's connection
  std::unique_ptr<settings::TKVConfig> config_;
  std::unique_ptr<TLog> log_;
  SyncQueue sync_;
  std::unique_ptr<RecordingEvents> events_;
  std::string baseUrl_;
  bool urlMonAvailable_ = true;
  settings::RelinkOnlineInfoFn relink_;
};

inline std::string Content(char fill, std::size_t size) { return std::string(size, fill); }

}  // namespace pc::update::testing
