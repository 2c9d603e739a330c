// Amounts typed or pasted: "," is the decimal comma, "." a thousands
// separator unless it can only be a decimal point.
#include <gtest/gtest.h>

#include <optional>

#include "installments/amount_reading.h"

namespace pc {
namespace {

struct TAmountCase {
  const char* Text;
  std::optional<double> Expected;
};

TEST(InstallmentAmountReading, FollowsTheDecimalPointRule) {
  const TAmountCase cases[] = {
      {"1.234,50", 1234.50},   {"1234,50", 1234.50},    {"1234.50", 1234.50},  {"12.5", 12.5},
      {"0.75", 0.75},          {"1.234", 1234.0},       {"1.234.567", 1234567.0}, {"1.234.567,89", 1234567.89},
      {"-1.234,5", -1234.5},   {"-1234.5", -1234.5},    {" 10 000,00 ", 10000.0}, {"10000", 10000.0},
      {"1.2.3", std::nullopt}, {"", std::nullopt},      {"abc", std::nullopt}, {"12,5,0", std::nullopt},
      {"999999999", 99999999.0}, {"-999999999", -99999999.0}, {".5", 0.5},  {"1,5E3", 1500.0},
  };
  for (const TAmountCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const std::optional<double> value = TryReadInstallmentAmount(c.Text);
    ASSERT_EQ(value.has_value(), c.Expected.has_value());
    if (value) {
      EXPECT_DOUBLE_EQ(*value, *c.Expected);
    }
  }
  EXPECT_EQ(ReadInstallmentAmount("geen getal"), 0.0);
}

}  // namespace
}  // namespace pc
