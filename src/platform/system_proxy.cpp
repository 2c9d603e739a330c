#include "platform/system_proxy.h"

namespace pc::platform {

std::string ProxyEntryFromUrl(std::string_view url) {
  // Blanks around a hand-set variable are not part of it.
  while (!url.empty() && (url.front() == ' ' || url.front() == '\t')) url.remove_prefix(1);
  while (!url.empty() && (url.back() == ' ' || url.back() == '\t' || url.back() == '\r' || url.back() == '\n')) {
    url.remove_suffix(1);
  }
  if (const std::size_t scheme = url.find("://"); scheme != std::string_view::npos) url.remove_prefix(scheme + 3);
  if (const std::size_t path = url.find_first_of("/?#"); path != std::string_view::npos) url = url.substr(0, path);
  if (const std::size_t at = url.rfind('@'); at != std::string_view::npos) url.remove_prefix(at + 1);
  if (url.empty()) return {};

  // Where the port would start: after a bracketed IPv6 address, else at the last ":".
  std::size_t colon;
  if (url.front() == '[') {
    const std::size_t close = url.find(']');
    if (close == std::string_view::npos) return {};
    colon = url.find(':', close);
  } else {
    colon = url.rfind(':');
  }
  std::string entry(url);
  if (colon == std::string_view::npos) {
    entry += ":1080";
  } else if (colon + 1 == url.size()) {
    entry += "1080";
  } else if (colon == 0) {
    return {};
  }
  return entry;
}

bool EnvironmentProxy::Query(SystemProxyInfo& info) const {
  info = SystemProxyInfo{};
  const auto http = FirstSet(env_, {"http_proxy", "HTTP_PROXY"});
  const auto https = FirstSet(env_, {"https_proxy", "HTTPS_PROXY"});
  const std::string httpEntry = http ? ProxyEntryFromUrl(*http) : std::string();
  const std::string httpsEntry = https ? ProxyEntryFromUrl(*https) : std::string();

  if (!httpEntry.empty() && !httpsEntry.empty() && httpEntry != httpsEntry) {
    info.proxyList = "http=" + httpEntry + ";https=" + httpsEntry;
  } else {
    info.proxyList = httpEntry.empty() ? httpsEntry : httpEntry;
  }
  if (!info.proxyList.empty()) info.accessType = ProxyAccessType::Proxy;

  if (const auto bypass = FirstSet(env_, {"no_proxy", "NO_PROXY"})) {
    // "a.example, b.example" -> "a.example;b.example"
    std::string list;
    std::string item;
    auto flush = [&] {
      if (!item.empty()) {
        if (!list.empty()) list += ';';
        list += item;
        item.clear();
      }
    };
    for (const char c : *bypass) {
      if (c == ',' || c == ';' || c == ' ' || c == '\t') {
        flush();
      } else {
        item += c;
      }
    }
    flush();
    info.bypassList = list;
  }
  return true;
}

}  // namespace pc::platform
