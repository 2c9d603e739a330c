#include "common/date_time.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace pc {
namespace {

// Days from 1970-01-01 of a civil date (proleptic Gregorian calendar).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

TYmd CivilFromDays(long long z) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return TYmd{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// Days from 1970-01-01 to 1899-12-30.
constexpr long long kEpochOffset = -25569;
// Day counts of 0001-01-01 and 9999-12-31.
constexpr double kMinDate = -693593.0;
constexpr double kMaxDate = 2958465.0;

TDateTime FromUnixSeconds(long long seconds) {
  const long long days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  const long long rest = seconds - days * 86400;
  return static_cast<double>(days - kEpochOffset) + static_cast<double>(rest) / 86400.0;
}

long long LocalOffsetSeconds(std::time_t t) {
  std::tm local{};
  std::tm utc{};
  if (localtime_r(&t, &local) == nullptr || gmtime_r(&t, &utc) == nullptr) return 0;
  // The offset follows from the difference of the two broken-down times.
  const long long l = DaysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                    static_cast<unsigned>(local.tm_mday)) * 86400 +
                      local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  const long long u = DaysFromCivil(utc.tm_year + 1900, static_cast<unsigned>(utc.tm_mon + 1),
                                    static_cast<unsigned>(utc.tm_mday)) * 86400 +
                      utc.tm_hour * 3600 + utc.tm_min * 60 + utc.tm_sec;
  return l - u;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (!IsValidDate(year, month, day)) return false;
  date = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month),
                                           static_cast<unsigned>(day)) -
                             kEpochOffset);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date = 0;
  return TryEncodeDate(year, month, day, date) ? date : 0;
}

bool TryDecodeDate(TDateTime date, TYmd& ymd) {
  ymd = TYmd{};
  if (!std::isfinite(date)) return false;
  const double whole = std::trunc(date);
  if (whole < kMinDate || whole > kMaxDate) return false;
  const long long days = static_cast<long long>(whole);
  ymd = CivilFromDays(days + kEpochOffset);
  return true;
}

TYmd DecodeDate(TDateTime date) {
  TYmd ymd;
  TryDecodeDate(date, ymd);
  return ymd;
}

TDateTime DateOf(TDateTime date) { return std::isfinite(date) ? std::trunc(date) : 0; }

TDateTime NowLocal() {
  const auto now = std::chrono::system_clock::now();
  const long long seconds =
      std::chrono::duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
  return FromUnixSeconds(seconds + LocalOffsetSeconds(static_cast<std::time_t>(seconds)));
}

TDateTime TodayLocal() { return DateOf(NowLocal()); }

int CurrentYear() { return DecodeDate(NowLocal()).Year; }

TDateTime FileTimeToUtcDateTime(std::uint64_t fileTime) {
  // 1601-01-01 lies 109205 days before 1899-12-30.
  constexpr double kTicksPerDay = 864000000000.0;
  return static_cast<double>(fileTime / 864000000000ULL) - 109205.0 +
         static_cast<double>(fileTime % 864000000000ULL) / kTicksPerDay;
}

TDateTime FileTimeToLocalDateTime(std::uint64_t fileTime) {
  constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ULL;
  const long long unixSeconds =
      fileTime >= kUnixEpochTicks
          ? static_cast<long long>((fileTime - kUnixEpochTicks) / 10000000ULL)
          : -static_cast<long long>((kUnixEpochTicks - fileTime) / 10000000ULL);
  const double offsetDays =
      static_cast<double>(LocalOffsetSeconds(static_cast<std::time_t>(unixSeconds))) / 86400.0;
  return FileTimeToUtcDateTime(fileTime) + offsetDays;
}

}  // namespace pc
