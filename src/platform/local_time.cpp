#include "platform/local_time.h"

#include <ctime>

namespace pc::platform {

LocalDateTime LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  LocalDateTime t;
  if (::localtime_r(&now, &parts) == nullptr) return t;
  t.year = parts.tm_year + 1900;
  t.month = parts.tm_mon + 1;
  t.day = parts.tm_mday;
  t.hour = parts.tm_hour;
  t.minute = parts.tm_min;
  t.second = parts.tm_sec;
  return t;
}

}  // namespace pc::platform
