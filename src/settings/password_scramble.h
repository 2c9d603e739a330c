// The light scrambling of the proxy password in the settings file: every
// character exclusive-or 0x3C. It keeps the password from being read at a
// glance, nothing more; the same call undoes it.
#pragma once

#include <string>
#include <string_view>

namespace pc::settings {

inline constexpr unsigned char kPasswordKey = 0x3C;

std::string ScramblePassword(std::string_view text);

}  // namespace pc::settings
