#include "common/rounding.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "common/decimal_digits.h"

namespace pc {

std::int32_t RoundToInteger(double value) {
  if (std::isnan(value)) return 0;
  const double shifted = value > 0 ? value + 0.5 : value - 0.5;
  const double whole = std::trunc(shifted);
  if (whole >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (whole <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(whole);
}

double RoundToCents(double value) {
  // From 10^15 on a double holds no cents to round.
  if (!std::isfinite(value) || std::fabs(value) >= 1e15) return value;
  const TCents cents = ToCents(value);
  if (!cents.Exact) return value;
  double magnitude = 0;
  const std::string text = cents.Digits + "e-2";
  std::from_chars(text.data(), text.data() + text.size(), magnitude);
  return cents.Negative ? -magnitude : magnitude;
}

}  // namespace pc
