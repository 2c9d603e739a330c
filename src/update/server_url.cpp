#include "update/server_url.h"

#include "common/text_routines.h"

namespace pc::update {

std::string BuiltInServerUrl() { return PC_UPDATE_SERVER; }

std::string UpdateServerUrl(const platform::Environment& env, std::string_view override) {
  std::string url(override);
  if (url.empty()) url = env.Get(kServerUrlVariable).value_or("");
  if (url.empty()) url = BuiltInServerUrl();
  if (!url.empty() && url.back() != '/') url.push_back('/');
  return url;
}

bool IsHttpUrl(std::string_view url) {
  std::size_t rest = 0;
  if (SameTextIgnoringCase(url.substr(0, 7), "http://")) rest = 7;
  else if (SameTextIgnoringCase(url.substr(0, 8), "https://")) rest = 8;
  else return false;
  return url.size() > rest && url[rest] != '/' && url[rest] != '?' && url[rest] != '#';
}

std::string UrlHostName(std::string_view url) {
  if (!IsHttpUrl(url)) return {};
  std::string_view rest = url.substr(url.find("//") + 2);
  rest = rest.substr(0, rest.find_first_of("/?#"));
  if (const std::size_t at = rest.rfind('@'); at != std::string_view::npos) rest = rest.substr(at + 1);
  if (rest.starts_with('[')) {
    const std::size_t close = rest.find(']');
    return close == std::string_view::npos ? std::string() : std::string(rest.substr(0, close + 1));
  }
  return std::string(rest.substr(0, rest.find(':')));
}

}  // namespace pc::update
