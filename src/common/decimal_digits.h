// Internal: a double as a whole number of cents in decimal digits, rounded
// half away from zero on its 15-significant-digit decimal form.
#pragma once

#include <string>

namespace pc {

struct TCents {
  bool Negative = false;   // the value is below zero (even when it rounds to 0)
  std::string Digits;      // the cents, at least three digits ("005" = 0,05)
  bool Exact = false;      // false when the value is not finite
};
// Values from 10^15 on are taken as they are stored, rounded to the cent.
TCents ToCents(double value);

}  // namespace pc
