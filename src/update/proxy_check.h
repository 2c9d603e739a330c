// TProxyCheck: the connection test of the options dialog. Each run fetches
// "proxy_check.txt" from the update server, first through UrlMon (the
// system's own connection settings), then, when that did not reach it,
// through an HTTP client configured wholly from the settings under test.
// The server is reachable when the first line of the file, without blanks
// around it, is kProxyCheckLine.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/system_proxy.h"
#include "settings/proxy_info.h"
#include "update/main_thread_sync.h"
#include "update/transport_host.h"

namespace pc::update {

inline constexpr std::string_view kProxyCheckFile = "proxy_check.txt";
inline constexpr std::string_view kProxyCheckLine = "['{E9540832-8D40-46E1-9BA3-03F7233000AD}']";

// True when `lines` holds at least one line and the first, with blanks and
// control characters around it removed, is kProxyCheckLine.
bool IsProxyCheckAnswer(const std::vector<std::string>& lines);

struct ProxyCheckContext {
  explicit ProxyCheckContext(MainThreadSync& s) : sync(s) {}
  MainThreadSync& sync;
  const platform::SystemProxy* systemProxy = nullptr;  // UrlMon's connection; null: direct
  std::string baseUrl;     // the update server's base URL, ending in "update/"
  std::string tempFolder;  // ends with the separator
  TransportOptions transport;
  bool urlMonAvailable = true;
};

class TProxyCheck {
 public:
  enum : std::uint8_t { kIdle = 0, kChecking = 1, kDone = 2 };

  // Created idle (suspended). `onChange` runs on the main thread when a run
  // starts and when it ends.
  TProxyCheck(ProxyCheckContext context, std::function<void()> onChange);
  // Terminate, when that has not been done.
  ~TProxyCheck();
  TProxyCheck(const TProxyCheck&) = delete;
  TProxyCheck& operator=(const TProxyCheck&) = delete;

  // The settings under test; write them only while no run is going on.
  bool proxyOn = false;
  bool logonNeeded = false;
  std::int32_t port = 0;
  std::string user;
  std::string host;
  std::string password;
  std::uint8_t kind = 0;  // as ProxyKind: 0 HTTP proxy, 1 SOCKS 4, 2 SOCKS 4a, 3 SOCKS 5

  // Starts one run with the settings above; ignored while one is going on.
  void Resume();
  // Asks the thread to stop and waits (running its synchronised calls)
  // until it has ended.
  void Terminate();

  std::uint8_t state() const { return state_.load(); }
  bool reachable() const { return reachable_.load(); }
  // The lines of the last fetched file (main thread, between runs).
  std::vector<std::string> lines() const;

 private:
  class StopHost;
  void Loop();
  void RunOnce();
  void Notify();

  ProxyCheckContext context_;
  std::function<void()> on_change_;
  std::atomic<std::uint8_t> state_{kIdle};
  std::atomic<bool> reachable_{false};
  std::atomic<bool> terminated_{false};
  std::atomic<bool> ended_{false};
  mutable std::mutex mutex_;
  std::condition_variable resumed_;
  bool resume_ = false;
  bool running_ = false;
  settings::proxyInfoRec under_test_;  // copied from the fields by Resume
  std::vector<std::string> lines_;
  std::thread thread_;
};

}  // namespace pc::update
