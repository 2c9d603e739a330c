#include "common/date_text.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "common/text_routines.h"

namespace pc {
namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "januari", "februari", "maart",     "april",   "mei",      "juni",
    "juli",    "augustus", "september", "oktober", "november", "december"};
constexpr std::array<const char*, 12> kMonthAbbreviations = {
    "Jan", "Feb", "Mrt", "Apr", "Mei", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dec"};

struct MonthText {
  const char* Text;
  int Month;
};
constexpr MonthText kMonthTexts[] = {
    {"JAN", 1},  {"JANUARI", 1},   {"FEB", 2},  {"FEBRUARI", 2},  {"MAR", 3},     {"MAA", 3},
    {"MRT", 3},  {"MAART", 3},     {"APR", 4},  {"APRIL", 4},     {"MEI", 5},     {"JUN", 6},
    {"JUNI", 6}, {"JUL", 7},       {"JULI", 7}, {"AUG", 8},       {"AUGUSTUS", 8}, {"SEP", 9},
    {"SEPTEMBER", 9}, {"OKT", 10}, {"OCT", 10}, {"OKTOBER", 10},  {"OCTOBER", 10}, {"NOV", 11},
    {"NOVEMBER", 11}, {"DEC", 12}, {"DECEMBER", 12},
};

std::string TwoDigits(int value) {
  return PadLeft(std::to_string(value), 2, '0');
}

int ReadMonth(std::string_view text) {
  const int number = ParseInteger(text);
  if (number >= 1 && number <= 12) return number;
  if (number != 0) return 0;
  std::string_view t = text;
  const std::size_t first = t.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  t = t.substr(first, t.find_last_not_of(' ') - first + 1);
  const std::string upper = UpperCase(t);
  for (const MonthText& m : kMonthTexts) {
    if (upper == m.Text) return m.Month;
  }
  return 0;
}

}  // namespace

std::string MonthName(int month) {
  if (month < 1 || month > 12) return std::string();
  return kMonthNames[static_cast<std::size_t>(month - 1)];
}

std::string MonthAbbreviation(int month) {
  if (month < 1 || month > 12) return std::string();
  return kMonthAbbreviations[static_cast<std::size_t>(month - 1)];
}

std::string LongDateText(TDateTime date) {
  TYmd d;
  if (!TryDecodeDate(date, d)) return std::string();
  return std::to_string(d.Day) + " " + MonthName(d.Month) + " " +
         PadLeft(std::to_string(d.Year), 4, '0');
}

std::string DateStamp(TDateTime date) {
  TYmd d;
  if (!TryDecodeDate(date, d)) return std::string();
  const std::string year = PadLeft(std::to_string(d.Year), 4, '0');
  return "(" + year + TwoDigits(d.Month) + TwoDigits(d.Day) + ") " + TwoDigits(d.Day) + " " +
         MonthName(d.Month) + " " + year;
}

std::string DateStamp() { return DateStamp(TodayLocal()); }

std::string FormatShortDate(TDateTime date) {
  TYmd d;
  if (!TryDecodeDate(date, d)) return std::string();
  return std::to_string(d.Day) + "-" + MonthAbbreviation(d.Month) + "-" + TwoDigits(d.Year % 100);
}

std::optional<TDateTime> ReadDateText(std::string_view text, int currentYear) {
  const std::size_t dash1 = text.find('-');
  if (dash1 == std::string_view::npos) return std::nullopt;
  const int day = ParseInteger(text.substr(0, dash1));
  std::string_view rest = text.substr(dash1 + 1);
  if (rest.empty()) return std::nullopt;
  int year = currentYear;
  std::string_view monthText = rest;
  const std::size_t dash2 = rest.find('-');
  if (dash2 != std::string_view::npos) {
    monthText = rest.substr(0, dash2);
    year = ParseInteger(rest.substr(dash2 + 1));
    if (year < 0) year = 0;
    if (year < 100) year += year < 80 ? 2000 : 1900;
    year = std::clamp(year, 1981, 2100);
  }
  const int month = ReadMonth(monthText);
  TDateTime date = 0;
  if (!TryEncodeDate(year, month, day, date)) return std::nullopt;
  return date;
}

std::optional<TDateTime> ReadDateText(std::string_view text) {
  return ReadDateText(text, CurrentYear());
}

}  // namespace pc
