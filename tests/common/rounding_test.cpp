#include "common/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace pc {
namespace {

TEST(RoundToInteger, HalfAwayFromZero) {
  struct Case {
    double in;
    std::int32_t out;
  };
  const Case cases[] = {
      {0.0, 0},       {-0.0, 0},     {0.49999, 0},   {0.5, 1},        {-0.5, -1},
      {1.5, 2},       {2.5, 3},      {-2.5, -3},     {-1.49999, -1},  {2.4999999, 2},
      {123456.5, 123457}, {-0.4, 0}, {1e10, std::numeric_limits<std::int32_t>::max()},
      {-1e10, std::numeric_limits<std::int32_t>::min()},
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {std::numeric_limits<double>::infinity(), std::numeric_limits<std::int32_t>::max()},
      {-std::numeric_limits<double>::infinity(), std::numeric_limits<std::int32_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(RoundToInteger(c.in), c.out) << c.in;
}

TEST(RoundToCents, JudgedOnTheWrittenValue) {
  struct Case {
    double in;
    double out;
  };
  const Case cases[] = {
      {1.005, 1.01},  {0.125, 0.13},   {-0.125, -0.13}, {2.675, 2.68},  {1.004999, 1.0},
      {0.0, 0.0},     {99999.994, 99999.99}, {99999.995, 100000.0}, {-0.004, -0.0},
      {1234567.891, 1234567.89},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(RoundToCents(c.in), c.out) << c.in;
  EXPECT_TRUE(std::isnan(RoundToCents(std::numeric_limits<double>::quiet_NaN())));
}

}  // namespace
}  // namespace pc
