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

}  // namespace pc::update
