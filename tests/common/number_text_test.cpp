#include "common/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace pc {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(FormatAmount, GroupedWithDecimalComma) {
  struct Case {
    double in;
    const char* out;
  };
  const Case cases[] = {
      {1234567.891, "1.234.567,89"},
      {-0.5, "-0,50"},
      {999, "999,00"},
      {-0.001, "-0,00"},
      {0, "0,00"},
      {-0.0, "0,00"},
      {1000, "1.000,00"},
      {0.125, "0,13"},
      {1.005, "1,01"},
      {-1234.565, "-1.234,57"},
      {999.995, "1.000,00"},
      // Beyond ten significant digits the cents stay right.
      {123456789.12, "123.456.789,12"},
      {98765432109.87, "98.765.432.109,87"},
      {kNaN, "0,00"},
      {kInf, "0,00"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatAmount(c.in), c.out) << c.in;
}

TEST(FormatTwoDecimals, FixedTwoDecimalsWithFallback) {
  struct Case {
    int digits;
    double in;
    const char* out;
  };
  const Case cases[] = {
      {2, 35, "35,00"},   {2, -1.5, "-1,50"}, {2, 1234.5, "1234,50"}, {2, -0.001, "0,00"},
      {2, 0.005, "0,01"}, {2, kNaN, "0,00"},  {3, kInf, "0,000"},     {0, kNaN, "0,"},
      {-4, kNaN, "0,"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatTwoDecimals(c.digits, c.in), c.out) << c.in;
}

TEST(TryReadDecimal, StrictDecimalComma) {
  struct Case {
    const char* in;
    bool ok;
    double value;
  };
  const Case cases[] = {
      {"12,5", true, 12.5},  {" -3 ", true, -3},   {"+4,25", true, 4.25}, {",5", true, 0.5},
      {"5,", true, 5},       {"1,5E3", true, 1500}, {"2e-2", true, 0.02},  {"", false, 0},
      {"   ", false, 0},     {",", false, 0},      {"12.5", false, 0},    {"1,2,3", false, 0},
      {"abc", false, 0},     {"1e", false, 0},     {"1e+", false, 0},     {"--1", false, 0},
      {"1 000", false, 0},   {"1e999", false, 0},  {"nan", false, 0},     {"inf", false, 0},
  };
  for (const Case& c : cases) {
    const std::optional<double> v = TryReadDecimal(c.in);
    EXPECT_EQ(v.has_value(), c.ok) << '"' << c.in << '"';
    if (v && c.ok) {
      EXPECT_DOUBLE_EQ(*v, c.value) << c.in;
    }
  }
}

TEST(ParseNumber, PointIsTheDecimalSeparator) {
  struct Case {
    const char* in;
    double out;
  };
  const Case cases[] = {{"12.5", 12.5}, {"12,5", 12.5}, {"1.234,5", 0}, {"", 0},
                        {"x", 0},       {"-7", -7},     {"1.2.3", 0}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ParseNumber(c.in), c.out) << c.in;
}

TEST(ReadFigure, RoundedAndClampedToTheFigureRange) {
  struct Case {
    const char* in;
    double out;
  };
  const Case cases[] = {
      {"105,3", 105.3},        {"105.3", 105.3},       {" 1 05,25 ", 105.25}, {"100,005", 100.01},
      {"100,004", 100.0},      {"99999,99", 99999.99}, {"100000", 99999.99},  {"99999.995", 99999.99},
      {"-5", 0},               {"", 0},                {"abc", 0},            {"1.234,5", 0},
      {"1e300", 99999.99},     {"0", 0},               {"0,001", 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ReadFigure(c.in), c.out) << '"' << c.in << '"';
}

TEST(ReadPercentage, TrailingPercentSignAndRange) {
  struct Case {
    const char* in;
    double out;
  };
  const Case cases[] = {
      {"35", 35},     {"35%", 35},    {"35,5%", 35.5}, {"35.555", 35.56}, {"100,01", 100},
      {"-1", 0},      {"", 0},        {"%", 0},        {"35%%", 0},       {"x%", 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ReadPercentage(c.in), c.out) << '"' << c.in << '"';
  EXPECT_DOUBLE_EQ(ReadTrendPercentage("-2.5"), -2.5);
  EXPECT_DOUBLE_EQ(ReadTrendPercentage("3,125"), 3.125);
  EXPECT_DOUBLE_EQ(ReadTrendPercentage("drie"), 0);
}

TEST(ReadAmount, PointIsAThousandsSeparator) {
  struct Case {
    const char* in;
    bool ok;
    double out;
  };
  const Case cases[] = {
      {"1.234,50", true, 1234.5}, {"1.234.567", true, 1234567}, {"12,5", true, 12.5},
      {"-1.000", true, -1000},    {" 1 000,25 ", true, 1000.25}, {"", false, 0},
      {"abc", false, 0},          {"1,2,3", false, 0},           {".", false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TryReadAmount(c.in).has_value(), c.ok) << c.in;
    EXPECT_DOUBLE_EQ(ReadAmount(c.in), c.out) << c.in;
  }
}

TEST(NumberText, FormattedFiguresReadBack) {
  for (double v : {0.01, 1.0, 105.3, 99999.99, 1234.56, 12.34}) {
    EXPECT_DOUBLE_EQ(ReadFigure(FormatTwoDecimals(2, v)), v) << v;
    EXPECT_DOUBLE_EQ(ReadAmount(FormatAmount(v)), v) << v;
  }
}

}  // namespace
}  // namespace pc
