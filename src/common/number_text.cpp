#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "common/decimal_digits.h"
#include "common/rounding.h"
#include "common/text_routines.h"

namespace pc {
namespace {

// "12345" (cents) -> integer part "123", decimals "45".
void SplitCents(const std::string& cents, std::string& whole, std::string& decimals) {
  whole = cents.substr(0, cents.size() - 2);
  decimals = cents.substr(cents.size() - 2);
}

std::string GroupDigitText(const std::string& digits, char separator) {
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(separator);
    out.push_back(digits[i]);
  }
  return out;
}

std::string Replace(std::string_view text, char from, char to) {
  std::string out(text);
  for (char& c : out) {
    if (c == from) c = to;
  }
  return out;
}

}  // namespace

std::string FormatAmount(double amount) {
  const TCents cents = ToCents(amount);
  if (!cents.Exact) return "0,00";
  std::string whole;
  std::string decimals;
  SplitCents(cents.Digits, whole, decimals);
  std::string out = cents.Negative ? "-" : "";
  out += GroupDigitText(whole, kThousandsSeparator);
  out += kDecimalSeparator;
  out += decimals;
  return out;
}

std::string FormatTwoDecimals(int digits, double value) {
  const TCents cents = ToCents(value);
  if (!cents.Exact) {
    const int zeros = digits < 0 ? 0 : (digits > 20 ? 20 : digits);
    return std::string("0") + kDecimalSeparator + std::string(static_cast<std::size_t>(zeros), '0');
  }
  std::string whole;
  std::string decimals;
  SplitCents(cents.Digits, whole, decimals);
  const bool isZero = cents.Digits.find_first_not_of('0') == std::string::npos;
  std::string out = (cents.Negative && !isZero) ? "-" : "";
  out += whole;
  out += kDecimalSeparator;
  out += decimals;
  return out;
}

std::optional<double> TryReadDecimal(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  std::size_t last = text.find_last_not_of(' ');
  std::string_view t = text.substr(first, last - first + 1);
  // Validate the shape and build the text from_chars reads.
  std::string plain;
  plain.reserve(t.size());
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    if (t[i] == '-') plain.push_back('-');
    ++i;
  }
  int digits = 0;
  bool comma = false;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    if (c >= '0' && c <= '9') {
      plain.push_back(c);
      ++digits;
    } else if (c == kDecimalSeparator && !comma) {
      comma = true;
      plain.push_back('.');
    } else {
      break;
    }
  }
  if (digits == 0) return std::nullopt;
  if (i < t.size()) {
    if (t[i] != 'e' && t[i] != 'E') return std::nullopt;
    plain.push_back('e');
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
      if (t[i] == '-') plain.push_back('-');
      ++i;
    }
    int exponentDigits = 0;
    for (; i < t.size(); ++i) {
      if (t[i] < '0' || t[i] > '9') return std::nullopt;
      plain.push_back(t[i]);
      ++exponentDigits;
    }
    if (exponentDigits == 0) return std::nullopt;
  }
  double value = 0;
  auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

double ParseNumber(std::string_view text) {
  return TryReadDecimal(Replace(text, '.', kDecimalSeparator)).value_or(0.0);
}

double ReadFigure(std::string_view text) {
  const std::string t = RemoveCharacters(Replace(text, '.', kDecimalSeparator), " ");
  const std::optional<double> value = TryReadDecimal(t);
  if (!value) return 0;
  const double rounded = RoundToCents(*value);
  if (rounded < 0) return 0;
  if (rounded > 99999.99) return 99999.99;
  return rounded;
}

double ReadPercentage(std::string_view text) {
  std::string t = Replace(text, '.', kDecimalSeparator);
  if (!t.empty() && t.back() == '%') t.pop_back();
  const std::optional<double> value = TryReadDecimal(t);
  if (!value) return 0;
  const double rounded = RoundToCents(*value);
  if (rounded < 0) return 0;
  if (rounded > 100) return 100;
  return rounded;
}

double ReadTrendPercentage(std::string_view text) {
  const std::string t = RemoveCharacters(Replace(text, '.', kDecimalSeparator), " ");
  return TryReadDecimal(t).value_or(0.0);
}

std::optional<double> TryReadAmount(std::string_view text) {
  return TryReadDecimal(RemoveCharacters(text, ". "));
}

double ReadAmount(std::string_view text) { return TryReadAmount(text).value_or(0.0); }

}  // namespace pc
