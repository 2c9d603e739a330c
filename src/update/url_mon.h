// TUrlMon: the first download transport ("UrlMon" in the log). Downloads a
// URL into a file through the system's own proxy setting, asking every
// cache on the way for a fresh copy, and reports its progress in the
// platform's bind-status terms (see BindStatusName).
#pragma once

#include <cstdint>
#include <string>

#include "platform/system_proxy.h"
#include "update/transport_host.h"

namespace pc::update {

// The name of bind-status code 1..47 ("FindingResource" .. 
// "SessionCookiesAllowed"); "" for any other code.
const char* BindStatusName(int code);

enum BindStatus : int {
  kBindFindingResource = 1,
  kBindConnecting = 2,
  kBindBeginDownloadData = 4,
  kBindDownloadingData = 5,
  kBindEndDownloadData = 6,
  kBindSendingRequest = 11,
  kBindMimeTypeAvailable = 13,
};

// The proxy the system setting names for `url`: an HTTP proxy from the
// list (its "http=" entry or its only entry), or none when the setting is
// direct, cannot be read, names no usable host and port, or the URL's host
// is in the bypass list ("*", a host name, ".domain" or "<local>").
http::ProxyConfig SystemProxyFor(const platform::SystemProxy* systemProxy, const std::string& url);

class TUrlMon {
 public:
  // `systemProxy` may be null (always direct). With `available` false the
  // download service is missing and every fetch fails at once.
  TUrlMon(const platform::SystemProxy* systemProxy, TransportOptions options, bool available = true);

  // The progress handler; null reports nowhere.
  void SetHost(TransportHost* host) { host_ = host; }
  bool Available() const { return available_; }

  // Downloads `url` into `file` (created or emptied). True only when the
  // whole answer of a successful (2xx) request is in the file, no larger
  // than `maxBytes` (the options' cap when not above 0) and received above
  // the floor speed.
  bool FetchToFile(const std::string& url, const std::string& file, std::int64_t maxBytes = 0);

  // One progress notification: records position and maximum, turns `code`
  // into a status and answers false (abort) when a stop was requested.
  bool OnProgress(std::uint32_t progress, std::uint32_t progressMax, int code);

  // Why the last fetch failed, for the log; empty after a success.
  const std::string& LastError() const { return last_error_; }

 private:
  const platform::SystemProxy* system_proxy_;
  TransportOptions options_;
  bool available_;
  TransportHost* host_ = nullptr;
  std::string last_error_;
};

}  // namespace pc::update
