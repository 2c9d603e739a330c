#include "indextable/month_key.h"

#include <gtest/gtest.h>

#include <limits>

namespace pc {
namespace {

TEST(MonthKey, YearIndexCoversTheSupportedYearsOnly) {
  struct Case {
    int year;
    int index;
  };
  const Case cases[] = {{1981, 1}, {2008, 28}, {2100, 120}, {1980, 0}, {2101, 0}, {1900, 0},
                        {2236, 0}, {-5, 0}};
  for (const Case& c : cases) EXPECT_EQ(YearIndex(c.year), c.index) << c.year;
  EXPECT_EQ(YearOfIndex(28), 2008);
}

TEST(MonthKey, DatesToKeysAndBack) {
  struct Case {
    int y, m, d;
    TMonthKey key;
  };
  const Case cases[] = {
      {1981, 1, 1, 0x0101},   {2008, 3, 31, 0x1C03}, {2100, 12, 31, 0x780C},
      {1980, 12, 31, 0},      {2101, 1, 1, 0},       {1899, 12, 30, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MonthKeyOf(EncodeDate(c.y, c.m, c.d) + 0.5), c.key) << c.y << '-' << c.m;
    if (c.key != 0) {
      EXPECT_EQ(FirstDayOf(c.key), EncodeDate(c.y, c.m, 1));
    }
  }
  EXPECT_EQ(MonthKeyOf(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(FirstDayOf(0), 0);
  EXPECT_EQ(FirstDayOf(MakeMonthKey(28, 13)), 0);
  EXPECT_EQ(FirstDayOf(MakeMonthKey(121, 1)), 0);
}

TEST(MonthKey, MonthsBetweenInclusive) {
  struct Case {
    TMonthKey a, b;
    int months;
  };
  const Case cases[] = {
      {MakeMonthKey(28, 1), MakeMonthKey(28, 6), 6},
      {MakeMonthKey(28, 1), MakeMonthKey(28, 1), 1},
      {MakeMonthKey(27, 11), MakeMonthKey(28, 2), 4},
      {kFirstMonthKey, kLastMonthKey, 1440},
      {MakeMonthKey(28, 6), MakeMonthKey(28, 1), 0},  // reversed
      {0, MakeMonthKey(28, 1), 0},
      {MakeMonthKey(28, 0), MakeMonthKey(28, 1), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(MonthsBetween(c.a, c.b), c.months) << c.a << ' ' << c.b;
}

TEST(MonthKey, AxisIndexAndNeighbours) {
  EXPECT_EQ(MonthIndexOf(kFirstMonthKey), 0);
  EXPECT_EQ(MonthIndexOf(kLastMonthKey), 1439);
  EXPECT_EQ(MonthIndexOf(0), -1);
  EXPECT_EQ(MonthIndexOf(MakeMonthKey(5, 13)), -1);
  EXPECT_EQ(KeyOfMonthIndex(1440), 0);
  EXPECT_EQ(KeyOfMonthIndex(-1), 0);
  for (int i = 0; i < kMonthCount; ++i) ASSERT_EQ(MonthIndexOf(KeyOfMonthIndex(i)), i);
  EXPECT_EQ(NextMonth(MakeMonthKey(27, 12)), MakeMonthKey(28, 1));
  EXPECT_EQ(PreviousMonth(MakeMonthKey(28, 1)), MakeMonthKey(27, 12));
  EXPECT_EQ(NextMonth(kLastMonthKey), 0);
  EXPECT_EQ(PreviousMonth(kFirstMonthKey), 0);
  EXPECT_LT(MakeMonthKey(27, 12), MakeMonthKey(28, 1));  // keys order by year, then month
}

}  // namespace
}  // namespace pc
