#pragma once
// Whole-day calendar arithmetic for the installment calculation.
//
// A day number is the whole part of a date value (days since 30 December
// 1899). The functions are exact for every day of the proleptic Gregorian
// calendar in the supported range (years 1..9999) and are cheap enough for
// the per-installment loops of the calculation.

#include <cstdint>

namespace pc::installments {

// Days of the first and last supported day: 1 January 0001 and 31 December 9999.
inline constexpr std::int32_t kFirstSupportedDay = -693593;
inline constexpr std::int32_t kLastSupportedDay = 2958465;

struct TCivilDate {
  std::int32_t Year = 0;
  std::int32_t Month = 0;  // 1..12
  std::int32_t Day = 0;    // 1..31
};

// Day number of a calendar date; the month must be 1..12 and the day valid.
constexpr std::int32_t DayFromCivil(std::int32_t y, std::int32_t m, std::int32_t d) {
  y -= m <= 2 ? 1 : 0;
  const std::int32_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int32_t yoe = y - era * 400;
  const std::int32_t mp = m > 2 ? m - 3 : m + 9;
  const std::int32_t doy = (153 * mp + 2) / 5 + d - 1;
  const std::int32_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  // 719468 is 1 March 0000 before 1 January 1970; 25569 is 30 December 1899.
  return era * 146097 + doe - 719468 + 25569;
}

constexpr TCivilDate CivilFromDay(std::int32_t day) {
  const std::int32_t z = day - 25569 + 719468;
  const std::int32_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int32_t doe = z - era * 146097;
  const std::int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int32_t mp = (5 * doy + 2) / 153;
  const std::int32_t d = doy - (153 * mp + 2) / 5 + 1;
  const std::int32_t m = mp < 10 ? mp + 3 : mp - 9;
  const std::int32_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
  return {y, m, d};
}

constexpr bool IsLeapYear(std::int32_t y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

constexpr std::int32_t DaysInMonth(std::int32_t y, std::int32_t m) {
  constexpr std::int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

// Months counted from January of year 0: year * 12 + month - 1.
constexpr std::int32_t MonthOrdinal(const TCivilDate& c) { return c.Year * 12 + c.Month - 1; }
constexpr std::int32_t MonthOrdinalOfDay(std::int32_t day) { return MonthOrdinal(CivilFromDay(day)); }

constexpr std::int32_t LastDayOfMonthOf(std::int32_t day) {
  const TCivilDate c = CivilFromDay(day);
  return day + (DaysInMonth(c.Year, c.Month) - c.Day);
}

// The month of a day, found cheaply when the day lies in the month asked
// for last or in one of the few months after it, as the days of a cut or
// of a run of installments do; any other day is converted in full.
class TMonthCursor {
 public:
  // Month ordinal (year * 12 + month - 1) of the day's month.
  std::int32_t OrdinalOf(std::int32_t day) {
    Seek(day);
    return ordinal_;
  }
  // The last day of the day's month.
  std::int32_t LastDayOf(std::int32_t day) {
    Seek(day);
    return last_;
  }

 private:
  void Seek(std::int32_t day) {
    if (valid_ && day >= first_ && day <= last_) return;
    if (valid_ && day > last_ && day - last_ <= 92) {
      do {
        ++ordinal_;
        first_ = last_ + 1;
        last_ = first_ + DaysInMonth(ordinal_ / 12, ordinal_ % 12 + 1) - 1;
      } while (day > last_);
      return;
    }
    const TCivilDate c = CivilFromDay(day);
    ordinal_ = MonthOrdinal(c);
    first_ = day - c.Day + 1;
    last_ = first_ + DaysInMonth(c.Year, c.Month) - 1;
    valid_ = true;
  }

  bool valid_ = false;
  std::int32_t ordinal_ = 0;
  std::int32_t first_ = 0;
  std::int32_t last_ = 0;
};

// The same day number twelve months later, clamped to the length of that
// month (29 February plus one year is 28 February).
constexpr std::int32_t AddOneYear(std::int32_t day) {
  const TCivilDate c = CivilFromDay(day);
  const std::int32_t len = DaysInMonth(c.Year + 1, c.Month);
  return DayFromCivil(c.Year + 1, c.Month, c.Day < len ? c.Day : len);
}

}  // namespace pc::installments
