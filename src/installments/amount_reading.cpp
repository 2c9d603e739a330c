#include "installments/amount_reading.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/number_text.h"

namespace pc {
namespace {

// Whether every part after the first "." is a group of three digits and the
// part before it one to three digits (or more for the first group).
bool DotsAreThousandsGroups(std::string_view text) {
  std::size_t start = text.find('.');
  if (start == 0 || start == std::string_view::npos) return false;
  while (start != std::string_view::npos) {
    const std::size_t next = text.find('.', start + 1);
    const std::size_t end = next == std::string_view::npos ? text.size() : next;
    if (end - start - 1 != 3) return false;
    start = next;
  }
  return true;
}

}  // namespace

std::optional<double> TryReadInstallmentAmount(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (c != ' ' && c != '\t') s.push_back(c);
  if (s.empty()) return std::nullopt;
  std::string number;
  const bool hasComma = s.find(',') != std::string::npos;
  const std::size_t dots = static_cast<std::size_t>(std::count(s.begin(), s.end(), '.'));
  if (hasComma || dots == 0) {
    for (char c : s)
      if (c != '.') number.push_back(c);
  } else {
    const std::string_view unsigned_part =
        (s[0] == '-' || s[0] == '+') ? std::string_view(s).substr(1) : std::string_view(s);
    if (DotsAreThousandsGroups(unsigned_part)) {
      for (char c : s)
        if (c != '.') number.push_back(c);
    } else if (dots == 1) {
      number = s;
      std::replace(number.begin(), number.end(), '.', ',');
    } else {
      return std::nullopt;
    }
  }
  const std::optional<double> value = TryReadDecimal(number);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return std::clamp(*value, -kMaxInstallmentAmount, kMaxInstallmentAmount);
}

double ReadInstallmentAmount(std::string_view text) { return TryReadInstallmentAmount(text).value_or(0.0); }

}  // namespace pc
