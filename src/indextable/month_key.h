// Month keys: a calendar month packed in 16 bits, high byte the year index
// (year - 1980, so 1..120 covers 1981..2100), low byte the month 1..12.
// 0 stands for no month. Keys compare as plain numbers: by year, then month.
#pragma once

#include <array>
#include <cstdint>

#include "common/date_time.h"

namespace pc {

using TMonthKey = std::uint16_t;

inline constexpr int kFirstYear = 1981;
inline constexpr int kLastYear = 2100;
inline constexpr int kYearCount = kLastYear - kFirstYear + 1;  // 120
inline constexpr int kMonthCount = kYearCount * 12;            // 1440

inline constexpr TMonthKey MakeMonthKey(int yearIndex, int month) {
  return static_cast<TMonthKey>(((yearIndex & 0xFF) << 8) | (month & 0xFF));
}
inline constexpr int KeyYearIndex(TMonthKey key) { return key >> 8; }
inline constexpr int KeyMonth(TMonthKey key) { return key & 0xFF; }
// Whether the key names a month of 1981-01..2100-12.
inline constexpr bool IsValidMonthKey(TMonthKey key) {
  return KeyYearIndex(key) >= 1 && KeyYearIndex(key) <= kYearCount && KeyMonth(key) >= 1 &&
         KeyMonth(key) <= 12;
}
inline constexpr TMonthKey kFirstMonthKey = MakeMonthKey(1, 1);            // January 1981
inline constexpr TMonthKey kLastMonthKey = MakeMonthKey(kYearCount, 12);   // December 2100

// The year index of a year: 1981..2100 give 1..120; any other year gives 0.
std::uint8_t YearIndex(int year);
// The year of a year index: index + 1980.
int YearOfIndex(int yearIndex);
// The key of a calendar year and month; 0 outside 1981-01..2100-12.
TMonthKey MonthKeyOfYearMonth(int year, int month);
// The key of the month of a date; 0 for a date outside 1981..2100.
TMonthKey MonthKeyOf(TDateTime date);
// The date of the first day of the key's month; 0 for an invalid key.
TDateTime FirstDayOf(TMonthKey key);
// Months from a to b, both included: (year b - year a) * 12 +
// (month b - month a) + 1. 0 when either key is invalid or b lies before a.
std::uint16_t MonthsBetween(TMonthKey a, TMonthKey b);

// Position 0..1439 of a valid key on the month axis (January 1981 = 0), and
// back. MonthIndexOf gives -1 for an invalid key; KeyOfMonthIndex gives 0 for
// an index outside 0..1439.
int MonthIndexOf(TMonthKey key);
// MonthIndexOf of every possible key, for look-ups that must not branch on
// the two fields of a key.
extern const std::array<std::int16_t, 65536> kMonthIndexOfKey;
TMonthKey KeyOfMonthIndex(int index);
// The next / previous month; 0 beyond 2100-12 / before 1981-01 or for an
// invalid key.
TMonthKey NextMonth(TMonthKey key);
TMonthKey PreviousMonth(TMonthKey key);

}  // namespace pc
