// Day-count dates: a double counting days since 30 December 1899, the
// fraction being the time of day. Dates are stored in files this way.
#pragma once

#include <cstdint>

namespace pc {

using TDateTime = double;

// A calendar day.
struct TYmd {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  friend bool operator==(const TYmd&, const TYmd&) = default;
};

bool IsLeapYear(int year);
// Days of the month; 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// Whether year 1..9999, month 1..12 and day 1..DaysInMonth form a date.
bool IsValidDate(int year, int month, int day);

// The day count of a calendar day (1899-12-30 -> 0, 1900-01-01 -> 2).
// Returns false and leaves `date` alone for an impossible combination
// (31 February, month 13, day 0, year outside 1..9999).
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// As TryEncodeDate, giving 0 for an impossible combination.
TDateTime EncodeDate(int year, int month, int day);

// The calendar day of a date; the time of day is cut off toward zero, as
// the stored format does (-1.5 is 29 December 1899). Returns false and gives
// {0,0,0} when the date is not finite or lies outside the years 1..9999.
bool TryDecodeDate(TDateTime date, TYmd& ymd);
// As TryDecodeDate, {0,0,0} when it fails.
TYmd DecodeDate(TDateTime date);

// The whole day of a date (time of day cut off toward zero).
TDateTime DateOf(TDateTime date);

// The current local date and time, and its parts, from the system clock.
TDateTime NowLocal();
TDateTime TodayLocal();
int CurrentYear();

// A platform file time (100-nanosecond ticks since 1 January 1601, UTC) as a
// date-time in UTC, and converted to the local time of this machine.
TDateTime FileTimeToUtcDateTime(std::uint64_t fileTime);
TDateTime FileTimeToLocalDateTime(std::uint64_t fileTime);

}  // namespace pc
