#include "common/date_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace pc {
namespace {

TEST(DayCount, KnownDates) {
  struct Case {
    int y, m, d;
    double days;
  };
  const Case cases[] = {
      {1899, 12, 30, 0},      {1899, 12, 31, 1},      {1900, 1, 1, 2},     {1900, 3, 1, 61},
      {1981, 1, 1, 29587},    {2000, 2, 29, 36585},   {2008, 3, 5, 39512}, {2100, 12, 31, 73415},
      {1601, 1, 1, -109205},  {1, 1, 1, -693593},     {9999, 12, 31, 2958465},
  };
  for (const Case& c : cases) {
    TDateTime date = -1;
    ASSERT_TRUE(TryEncodeDate(c.y, c.m, c.d, date)) << c.y << '-' << c.m << '-' << c.d;
    EXPECT_DOUBLE_EQ(date, c.days) << c.y << '-' << c.m << '-' << c.d;
    // The time of day counts away from zero, also before 1899-12-30.
    EXPECT_EQ(DecodeDate(date + (date < 0 ? -0.75 : 0.75)), (TYmd{c.y, c.m, c.d}));
  }
}

TEST(DayCount, ImpossibleDatesAreRefused) {
  struct Case {
    int y, m, d;
  };
  const Case cases[] = {{2008, 2, 30}, {2007, 2, 29}, {1900, 2, 29}, {2008, 13, 1}, {2008, 0, 1},
                        {2008, 1, 0},  {2008, 4, 31}, {0, 1, 1},     {10000, 1, 1}, {2008, -1, 5}};
  for (const Case& c : cases) {
    TDateTime date = 123;
    EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, date)) << c.y << '-' << c.m << '-' << c.d;
    EXPECT_EQ(date, 123);
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), 0);
  }
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_TRUE(IsValidDate(2008, 2, 29));
  EXPECT_EQ(DaysInMonth(2100, 2), 28);
  EXPECT_EQ(DaysInMonth(2008, 13), 0);
}

TEST(DayCount, DecodeCutsTheTimeTowardZero) {
  EXPECT_EQ(DecodeDate(-1.5), (TYmd{1899, 12, 29}));
  EXPECT_EQ(DecodeDate(0.999), (TYmd{1899, 12, 30}));
  EXPECT_DOUBLE_EQ(DateOf(39512.9), 39512);
  TYmd ymd{1, 1, 1};
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                     -1e9, 1e9}) {
    EXPECT_FALSE(TryDecodeDate(bad, ymd)) << bad;
    EXPECT_EQ(ymd, TYmd{});
  }
}

TEST(DayCount, EveryDayOfTheSupportedYearsRoundTrips) {
  TDateTime expected = EncodeDate(1981, 1, 1);
  for (int y = 1981; y <= 2100; ++y) {
    for (int m = 1; m <= 12; ++m) {
      for (int d = 1; d <= DaysInMonth(y, m); ++d) {
        ASSERT_DOUBLE_EQ(EncodeDate(y, m, d), expected);
        ASSERT_EQ(DecodeDate(expected), (TYmd{y, m, d}));
        expected += 1;
      }
    }
  }
}

TEST(FileTime, UtcConversion) {
  // 116444736000000000 ticks = 1970-01-01 00:00 UTC.
  EXPECT_DOUBLE_EQ(FileTimeToUtcDateTime(116444736000000000ULL), 25569.0);
  EXPECT_DOUBLE_EQ(FileTimeToUtcDateTime(116444736000000000ULL + 432000000000ULL), 25569.5);
  EXPECT_DOUBLE_EQ(FileTimeToUtcDateTime(0), -109205.0);
  // Local time differs from UTC by less than a day.
  const double local = FileTimeToLocalDateTime(116444736000000000ULL);
  EXPECT_LT(std::abs(local - 25569.0), 1.0);
}

TEST(Clock, CurrentDateIsPlausible) {
  EXPECT_GE(CurrentYear(), 2020);
  EXPECT_DOUBLE_EQ(TodayLocal(), DateOf(TodayLocal()));
}

}  // namespace
}  // namespace pc
