// Dutch date texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/date_time.h"

namespace pc {

// "januari" .. "december" for 1..12; empty for any other number.
std::string MonthName(int month);
// "Jan", "Feb", "Mrt", "Apr", "Mei", "Jun", "Jul", "Aug", "Sep", "Okt",
// "Nov", "Dec" for 1..12; empty for any other number.
std::string MonthAbbreviation(int month);

// "5 juli 2007": day without leading zero, month name, four-digit year.
// Empty for a date that cannot be decoded.
std::string LongDateText(TDateTime date);

// "(20070705) 05 juli 2007" for the given date; the overload without
// argument uses today's local date. Empty for a date that cannot be decoded.
std::string DateStamp(TDateTime date);
std::string DateStamp();

// "5-Mrt-08": day without leading zero, "-", Dutch month abbreviation, "-",
// last two digits of the year. ReadDateText reads it back. Empty for a date
// that cannot be decoded.
std::string FormatShortDate(TDateTime date);

// Reads "day-month-year" or "day-month" (then the year is `currentYear`).
// The day is read with ParseInteger; the month is a number 1..12 or a Dutch
// or English month name or abbreviation in any letter case ("mrt", "MAART",
// "oct"); blanks around the month are ignored. The year: negative counts as
// 0; below 100 it is 2000 + year when below 80, else 1900 + year; then it is
// clamped to 1981..2100. Gives nothing when there is no "-", nothing after
// the first "-", or day, month and year do not form a date (31-2-2008).
// The result is always a whole day.
std::optional<TDateTime> ReadDateText(std::string_view text, int currentYear);
// As above with the current year of the system clock.
std::optional<TDateTime> ReadDateText(std::string_view text);

}  // namespace pc
