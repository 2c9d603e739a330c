#include "update/proxy_check.h"

#include "update/downloader.h"
#include "update/ics_transport.h"
#include "update/info_file.h"
#include "update/url_mon.h"

namespace pc::update {
namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

// Tells the transports to give up once the check is told to stop.
class TProxyCheck::StopHost final : public SilentHost {
 public:
  explicit StopHost(const std::atomic<bool>& stop) : stop_(stop) {}
  bool StopRequested() const override { return stop_.load(); }

 private:
  const std::atomic<bool>& stop_;
};

bool IsProxyCheckAnswer(const std::vector<std::string>& lines) {
  return !lines.empty() && Trimmed(lines[0]) == kProxyCheckLine;
}

TProxyCheck::TProxyCheck(ProxyCheckContext context, std::function<void()> onChange)
    : context_(std::move(context)), on_change_(std::move(onChange)) {
  thread_ = std::thread([this] { Loop(); });
}

TProxyCheck::~TProxyCheck() { Terminate(); }

void TProxyCheck::Resume() {
  std::lock_guard lock(mutex_);
  if (running_ || terminated_.load()) return;
  under_test_.Enabled = proxyOn;
  under_test_.LogonNeeded = logonNeeded;
  under_test_.Port = port;
  under_test_.User = user;
  under_test_.Host = host;
  under_test_.Pass = password;
  under_test_.ProxyKind = kind <= 3 ? static_cast<settings::TProxyKind>(kind) : settings::TProxyKind::HttpProxy;
  running_ = true;
  resume_ = true;
  resumed_.notify_all();
}

void TProxyCheck::Terminate() {
  if (!thread_.joinable()) return;
  terminated_ = true;
  {
    std::lock_guard lock(mutex_);
    resumed_.notify_all();
  }
  context_.sync.RunUntil([this] { return ended_.load(); });
  thread_.join();
}

std::vector<std::string> TProxyCheck::lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}

void TProxyCheck::Notify() {
  if (on_change_) context_.sync.Synchronize(on_change_);
}

void TProxyCheck::Loop() {
  for (;;) {
    {
      std::unique_lock lock(mutex_);
      resumed_.wait(lock, [this] { return resume_ || terminated_.load(); });
      resume_ = false;
    }
    if (terminated_.load()) break;
    RunOnce();
  }
  ended_ = true;
  context_.sync.Wake();
}

void TProxyCheck::RunOnce() {
  state_ = kChecking;
  reachable_ = false;
  Notify();

  StopHost host(terminated_);
  const std::string url = context_.baseUrl + std::string(kProxyCheckFile);
  std::vector<std::string> lines;
  std::string bytes;
  TUrlMon urlMon(context_.systemProxy, context_.transport, context_.urlMonAvailable);
  urlMon.SetHost(&host);
  if (FetchThroughTempFile(urlMon, context_.tempFolder, url, bytes, host)) {
    lines = SplitLines(bytes);
    reachable_ = IsProxyCheckAnswer(lines);
  }
  if (!reachable_.load() && !terminated_.load()) {
    settings::proxyInfoRec underTest;
    {
      std::lock_guard lock(mutex_);
      underTest = under_test_;
    }
    TIcsTransport ics(context_.transport);
    ics.Configure(underTest);
    ics.SetHost(&host);
    if (ics.Fetch(url, bytes)) {
      lines = SplitLines(bytes);
      reachable_ = IsProxyCheckAnswer(lines);
    }
  }
  {
    // From here on a new run may be asked for, even from within the
    // notification below.
    std::lock_guard lock(mutex_);
    lines_ = lines;
    running_ = false;
  }
  if (!terminated_.load()) {
    state_ = kDone;
    Notify();
  }
}

}  // namespace pc::update
