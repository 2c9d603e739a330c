#include "settings/proxy_list.h"

namespace pc::settings {

void SplitProxyList(std::string_view list, std::string& host, std::string& port) {
  host.clear();
  port.clear();
  std::string_view entry = list;
  if (const std::size_t http = list.find("http="); http != std::string_view::npos) {
    entry = list.substr(http + 5);
  }
  entry = entry.substr(0, entry.find(';'));
  // An entry of another protocol ("https=proxy:443") still names a usable
  // proxy; its "name=" is not part of the host.
  if (const std::size_t eq = entry.find('='); eq != std::string_view::npos) entry.remove_prefix(eq + 1);

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
