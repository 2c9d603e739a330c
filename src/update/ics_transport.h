// TIcsTransport: the second download transport ("ICS" in the log). A
// blocking GET into memory through the configured connection: direct, an
// HTTP proxy or a SOCKS 4, 4a or 5 server, with user and password when a
// user is set. Its client's states, progress and errors become the pass's
// status texts.
#pragma once

#include <cstdint>
#include <string>

#include "http/http_client.h"
#include "settings/proxy_info.h"
#include "update/transport_host.h"

namespace pc::update {

// The connection of a proxyInfoRec: none when it is off; kind 0 an HTTP
// proxy, kinds 1-3 SOCKS 4, 4a and 5 on Host and Port; User and Pass only
// when User is not empty. LogonNeeded is not looked at.
http::ProxyConfig ProxyFromSettings(const settings::proxyInfoRec& proxy);

// The status text of a client state ("Klaar", "Verbonden", ...).
const char* ClientStateText(http::ClientState state);

class TIcsTransport {
 public:
  explicit TIcsTransport(TransportOptions options);

  // Replaces the whole connection configuration.
  void Configure(const settings::proxyInfoRec& proxy) { proxy_ = ProxyFromSettings(proxy); }
  void Configure(const http::ProxyConfig& proxy) { proxy_ = proxy; }
  const http::ProxyConfig& Proxy() const { return proxy_; }

  // Where notifications go; null: nowhere (the connection test).
  void SetHost(TransportHost* host) { host_ = host; }

  // GET `url` into `out` (replaced). False for connection failures, stops,
  // broken transfers, transfers below the floor speed, answers larger than
  // `maxBytes` (the options' cap when not above 0) and answers with status
  // 400 or above other than 401 and 407, whose bodies count as the fetched
  // content.
  bool Fetch(const std::string& url, std::string& out, std::int64_t maxBytes = 0);

  int LastStatus() const { return last_status_; }
  const std::string& LastError() const { return last_error_; }

 private:
  TransportOptions options_;
  http::ProxyConfig proxy_;
  TransportHost* host_ = nullptr;
  int last_status_ = 0;
  std::string last_error_;
};

}  // namespace pc::update
