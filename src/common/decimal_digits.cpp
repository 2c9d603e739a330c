#include "common/decimal_digits.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <system_error>

namespace pc {
namespace {

// Adds one to a digit string, carrying to the left.
void Increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      return;
    }
  }
  digits.insert(digits.begin(), '1');
}

std::string StripLeadingZeros(std::string digits) {
  std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return std::string(1, '0');
  return digits.substr(first);
}

}  // namespace

TCents ToCents(double value) {
  TCents result;
  if (!std::isfinite(value)) return result;
  result.Exact = true;
  result.Negative = value < 0;
  const double magnitude = std::fabs(value);
  char buffer[512];  // room for every double in fixed notation
  if (magnitude >= 1e15) {
    // Beyond 15 significant digits the stored value is the best we have.
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                   std::chars_format::fixed, 2);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("0.00");
    text.erase(text.find('.'), 1);
    result.Digits = StripLeadingZeros(text);
  } else if (magnitude == 0) {
    result.Digits.assign(1, '0');
  } else {
    // d.dddddddddddddde+XX: 15 significant digits.
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                   std::chars_format::scientific, 14);
    (void)ec;
    std::string text(buffer, end);
    const std::size_t ePos = text.find('e');
    int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string mantissa = text.substr(0, 1) + text.substr(2, ePos - 2);  // 15 digits
    // value = 0.mantissa * 10^(exponent+1); cents = value * 100.
    const int pointAfter = exponent + 1 + 2;  // digits of the mantissa before the cents point
    std::string whole;
    bool roundUp = false;
    if (pointAfter <= 0) {
      whole = "0";
      roundUp = pointAfter == 0 && mantissa[0] >= '5';
    } else if (pointAfter >= static_cast<int>(mantissa.size())) {
      whole = mantissa + std::string(static_cast<std::size_t>(pointAfter) - mantissa.size(), '0');
    } else {
      whole = mantissa.substr(0, static_cast<std::size_t>(pointAfter));
      roundUp = mantissa[static_cast<std::size_t>(pointAfter)] >= '5';
    }
    if (roundUp) Increment(whole);
    result.Digits = StripLeadingZeros(whole);
  }
  if (result.Digits.size() < 3) result.Digits = std::string(3 - result.Digits.size(), '0') + result.Digits;
  return result;
}

}  // namespace pc
