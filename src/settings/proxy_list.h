// Reading host and port out of a system proxy list.
#pragma once

#include <string>
#include <string_view>

namespace pc::settings {

// From a list such as "http=proxy1:8080;https=proxy2:443" or "proxy1:3128":
// the "http=" entry when there is one (case-sensitive), else the first entry;
// a "http=" or "https=" (any case) in front of the chosen entry is dropped,
// and an entry for any other protocol gives nothing; then split at the
// first ":" (after a "[...]" IPv6 address), host before it and port text
// after it. Without a ":" both stay empty.
void SplitProxyList(std::string_view list, std::string& host, std::string& port);

}  // namespace pc::settings
