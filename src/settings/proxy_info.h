// The connection settings: whether and how to reach the Internet through a
// proxy or SOCKS server.
#pragma once

#include <cstdint>
#include <string>

namespace pc::settings {

// Stored as 0..3; any other stored number is read as HttpProxy.
enum class TProxyKind : std::uint8_t {
  HttpProxy = 0,
  Socks4 = 1,
  Socks4A = 2,
  Socks5 = 3,
};

struct proxyInfoRec {
  bool Enabled = false;
  std::string Host;
  std::int32_t Port = 8080;
  TProxyKind ProxyKind = TProxyKind::HttpProxy;
  bool LogonNeeded = false;
  std::string User;
  std::string Pass;  // plain text; only the settings file holds it scrambled

  bool operator==(const proxyInfoRec&) const = default;
};

}  // namespace pc::settings
