#include "indextable/month_key.h"

namespace pc {
namespace {

constexpr std::array<std::int16_t, 65536> MakeMonthIndexTable() {
  std::array<std::int16_t, 65536> table{};
  for (int key = 0; key < 65536; ++key) {
    const int y = key >> 8;
    const int m = key & 0xFF;
    table[static_cast<std::size_t>(key)] = static_cast<std::int16_t>(
        y >= 1 && y <= kYearCount && m >= 1 && m <= 12 ? (y - 1) * 12 + m - 1 : -1);
  }
  return table;
}

}  // namespace

constinit const std::array<std::int16_t, 65536> kMonthIndexOfKey = MakeMonthIndexTable();

std::uint8_t YearIndex(int year) {
  if (year < kFirstYear || year > kLastYear) return 0;
  return static_cast<std::uint8_t>(year - 1980);
}

int YearOfIndex(int yearIndex) { return yearIndex + 1980; }

TMonthKey MonthKeyOfYearMonth(int year, int month) {
  if (year < kFirstYear || year > kLastYear || month < 1 || month > 12) return 0;
  return MakeMonthKey(year - 1980, month);
}

TMonthKey MonthKeyOf(TDateTime date) {
  TYmd ymd;
  if (!TryDecodeDate(date, ymd)) return 0;
  return MonthKeyOfYearMonth(ymd.Year, ymd.Month);
}

TDateTime FirstDayOf(TMonthKey key) {
  if (!IsValidMonthKey(key)) return 0;
  return EncodeDate(YearOfIndex(KeyYearIndex(key)), KeyMonth(key), 1);
}

std::uint16_t MonthsBetween(TMonthKey a, TMonthKey b) {
  if (!IsValidMonthKey(a) || !IsValidMonthKey(b) || b < a) return 0;
  return static_cast<std::uint16_t>((KeyYearIndex(b) - KeyYearIndex(a)) * 12 +
                                    (KeyMonth(b) - KeyMonth(a)) + 1);
}

int MonthIndexOf(TMonthKey key) {
  if (!IsValidMonthKey(key)) return -1;
  return (KeyYearIndex(key) - 1) * 12 + KeyMonth(key) - 1;
}

TMonthKey KeyOfMonthIndex(int index) {
  if (index < 0 || index >= kMonthCount) return 0;
  return MakeMonthKey(index / 12 + 1, index % 12 + 1);
}

TMonthKey NextMonth(TMonthKey key) {
  const int i = MonthIndexOf(key);
  return i < 0 ? 0 : KeyOfMonthIndex(i + 1);
}

TMonthKey PreviousMonth(TMonthKey key) {
  const int i = MonthIndexOf(key);
  return i < 0 ? 0 : KeyOfMonthIndex(i - 1);
}

}  // namespace pc
