#include "common/date_text.h"

#include <gtest/gtest.h>

namespace pc {
namespace {

TEST(MonthName, DutchLowerCaseNames) {
  const char* names[] = {"januari", "februari", "maart",     "april",   "mei",      "juni",
                         "juli",    "augustus", "september", "oktober", "november", "december"};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(MonthName(m), names[m - 1]);
  for (int bad : {0, 13, -1, 1000}) {
    EXPECT_EQ(MonthName(bad), "") << bad;
    EXPECT_EQ(MonthAbbreviation(bad), "") << bad;
  }
}

TEST(DateTexts, LongDateStampAndShortDate) {
  EXPECT_EQ(LongDateText(EncodeDate(2007, 7, 5)), "5 juli 2007");
  EXPECT_EQ(LongDateText(EncodeDate(2100, 12, 31) + 0.5), "31 december 2100");
  EXPECT_EQ(DateStamp(EncodeDate(2007, 7, 5)), "(20070705) 05 juli 2007");
  EXPECT_EQ(DateStamp(EncodeDate(2010, 11, 25)), "(20101125) 25 november 2010");

  struct Case {
    int y, m, d;
    const char* text;
  };
  const Case cases[] = {
      {2008, 3, 5, "5-Mrt-08"},   {2008, 1, 31, "31-Jan-08"}, {2000, 10, 1, "1-Okt-00"},
      {2009, 5, 15, "15-Mei-09"}, {1999, 12, 31, "31-Dec-99"}, {2100, 6, 9, "9-Jun-00"},
      {2008, 2, 29, "29-Feb-08"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatShortDate(EncodeDate(c.y, c.m, c.d)), c.text);
  EXPECT_EQ(FormatShortDate(1e12), "");
  EXPECT_EQ(LongDateText(-1e12), "");
  EXPECT_FALSE(DateStamp().empty());
}

struct ReadCase {
  const char* text;
  int y, m, d;  // y == 0: no date
};

TEST(ReadDateText, DayMonthYear) {
  const ReadCase cases[] = {
      {"5-3-08", 2008, 3, 5},        {"5-mrt-2008", 2008, 3, 5},   {"5-MAART-8", 2008, 3, 5},
      {"5-Mrt-08", 2008, 3, 5},      {"5-maa-08", 2008, 3, 5},     {"5-mar-08", 2008, 3, 5},
      {"1-jan-81", 1981, 1, 1},      {"1-JANUARI-2000", 2000, 1, 1}, {"2-feb-08", 2008, 2, 2},
      {"3-februari-08", 2008, 2, 3}, {"4-apr-08", 2008, 4, 4},     {"4-April-08", 2008, 4, 4},
      {"6-mei-08", 2008, 5, 6},      {"7-jun-08", 2008, 6, 7},     {"7-juni-08", 2008, 6, 7},
      {"8-jul-08", 2008, 7, 8},      {"8-JULI-08", 2008, 7, 8},    {"9-aug-08", 2008, 8, 9},
      {"9-augustus-08", 2008, 8, 9}, {"10-sep-08", 2008, 9, 10},   {"10-september-08", 2008, 9, 10},
      {"11-okt-08", 2008, 10, 11},   {"11-oct-08", 2008, 10, 11},  {"11-oktober-08", 2008, 10, 11},
      {"11-October-08", 2008, 10, 11}, {"12-nov-08", 2008, 11, 12}, {"12-november-08", 2008, 11, 12},
      {"13-dec-08", 2008, 12, 13},   {"13-December-08", 2008, 12, 13},
      {" 5 - mrt - 2008 ", 2008, 3, 5},
      // years: two digits, clamping, negative
      {"1-1-79", 2079, 1, 1},        {"1-1-80", 1981, 1, 1},       {"1-1-99", 1999, 1, 1},
      {"1-1-00", 2000, 1, 1},        {"1-1-2150", 2100, 1, 1},     {"1-1-1900", 1981, 1, 1},
      {"1-1--5", 2000, 1, 1},
      // leap days
      {"29-2-2008", 2008, 2, 29},    {"29-feb-2000", 2000, 2, 29},
      // no date
      {"31-2-2008", 0, 0, 0},        {"29-2-2007", 0, 0, 0},       {"29-2-2100", 0, 0, 0},
      {"5 3 2008", 0, 0, 0},         {"", 0, 0, 0},                {"5-", 0, 0, 0},
      {"-", 0, 0, 0},                {"0-3-2008", 0, 0, 0},        {"5-0-2008", 0, 0, 0},
      {"5-13-2008", 0, 0, 0},        {"5-maar-2008", 0, 0, 0},     {"x-3-2008", 0, 0, 0},
      {"32-1-2008", 0, 0, 0},        {"-5-3-2008", 0, 0, 0},
      {"99999999999-1-2008", 0, 0, 0},
  };
  for (const ReadCase& c : cases) {
    const std::optional<TDateTime> date = ReadDateText(c.text, 2012);
    if (c.y == 0) {
      EXPECT_FALSE(date.has_value()) << '"' << c.text << '"';
    } else {
      ASSERT_TRUE(date.has_value()) << '"' << c.text << '"';
      EXPECT_EQ(DecodeDate(*date), (TYmd{c.y, c.m, c.d})) << '"' << c.text << '"';
    }
  }
}

TEST(ReadDateText, WithoutYearTakesTheCurrentYear) {
  EXPECT_EQ(ReadDateText("5-3", 2012), EncodeDate(2012, 3, 5));
  EXPECT_EQ(ReadDateText("29-2", 2012), EncodeDate(2012, 2, 29));
  EXPECT_FALSE(ReadDateText("29-2", 2013).has_value());
  EXPECT_EQ(ReadDateText("5-mrt"), EncodeDate(CurrentYear(), 3, 5));
}

TEST(ReadDateText, ReadsBackEveryShortDate) {
  for (TDateTime d = EncodeDate(1981, 1, 1); d <= EncodeDate(2079, 12, 31); d += 17) {
    const std::optional<TDateTime> back = ReadDateText(FormatShortDate(d), 2000);
    ASSERT_TRUE(back.has_value()) << FormatShortDate(d);
    EXPECT_EQ(*back, d) << FormatShortDate(d);
  }
}

}  // namespace
}  // namespace pc
