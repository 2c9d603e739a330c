// The local wall-clock time, broken into its fields.
#pragma once

namespace pc::platform {

struct LocalDateTime {
  int year = 0;    // e.g. 2007
  int month = 0;   // 1..12
  int day = 0;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59 (60 in a leap second)
};

// The current local date and time of this machine.
LocalDateTime LocalNow();

}  // namespace pc::platform
