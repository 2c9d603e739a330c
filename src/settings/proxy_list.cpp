#include "settings/proxy_list.h"

#include "common/text_routines.h"

namespace pc::settings {

void SplitProxyList(std::string_view list, std::string& host, std::string& port) {
  host.clear();
  port.clear();
  std::string_view entry = list;
  if (const std::size_t http = list.find("http="); http != std::string_view::npos) {
    entry = list.substr(http + 5);
  }
  entry = entry.substr(0, entry.find(';'));
  // An entry for https ("https=proxy:443") still names a proxy that speaks
  // HTTP; its "name=" is not part of the host. An entry only for another
  // protocol ("socks=host:1080") names no HTTP proxy at all.
  if (const std::size_t eq = entry.find('='); eq != std::string_view::npos) {
    const std::string_view name = entry.substr(0, eq);
    if (!SameTextIgnoringCase(name, "http") && !SameTextIgnoringCase(name, "https")) return;
    entry.remove_prefix(eq + 1);
  }

  std::size_t colon = std::string_view::npos;
  if (!entry.empty() && entry.front() == '[') {
    const std::size_t close = entry.find(']');
    if (close != std::string_view::npos) colon = entry.find(':', close);
  } else {
    colon = entry.find(':');
  }
  if (colon == std::string_view::npos) return;
  host = std::string(entry.substr(0, colon));
  port = std::string(entry.substr(colon + 1));
}

}  // namespace pc::settings
