// Rounding shared by the calculation, the grids and the text routines.
#pragma once

#include <cstdint>

namespace pc {

// Rounds half away from zero: for a value above 0 the integer part of
// value + 0.5, otherwise the integer part of value - 0.5 (2.5 -> 3,
// -2.5 -> -3, 0 -> 0). Values beyond the 32-bit range saturate at
// INT32_MIN / INT32_MAX; NaN gives 0.
std::int32_t RoundToInteger(double value);

// The value rounded half away from zero to two decimals, judged on the value
// as written with 15 significant digits, so 1.005 gives 1.01 and 0.125 gives
// 0.13 as the typed text suggests. Non-finite values are returned unchanged.
double RoundToCents(double value);

}  // namespace pc
