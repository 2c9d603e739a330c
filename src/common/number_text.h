// Numbers to text and back with the program's fixed decimal comma. The
// convention never depends on the C or C++ locale: the same text gives the
// same number on every machine.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pc {

// The program's decimal separator and its thousands separator.
inline constexpr char kDecimalSeparator = ',';
inline constexpr char kThousandsSeparator = '.';

// Money text: "." between thousands, "," before two decimals, "-" in front
// when the amount is below zero: 1234567.891 -> "1.234.567,89",
// -0.5 -> "-0,50", 999 -> "999,00", -0.001 -> "-0,00". Exact to the cent for
// every amount below 10^15 (rounded half away from zero, see RoundToCents);
// a non-finite amount gives "0,00".
std::string FormatAmount(double amount);

// The value with exactly two decimals and a decimal comma, no grouping
// (35 -> "35,00", -1.5 -> "-1,50"; a value that rounds to zero has no sign).
// A value that cannot be formatted (NaN, infinity) gives "0", the decimal
// comma and `digits` zeros (`digits` taken in 0..20).
std::string FormatTwoDecimals(int digits, double value);

// Strict reading of a decimal number with "," as decimal separator: optional
// blanks around, optional sign, digits with at most one ",", optional
// exponent ("1,5E3"). Needs at least one digit. Nothing else is accepted; no
// "." and no thousands separators. Returns nothing when the text is not such
// a number or the number is not finite.
std::optional<double> TryReadDecimal(std::string_view text);

// Every "." is first taken as the decimal comma; a text that is then still
// not a number gives 0 ("12.5" -> 12.5, "1.234,5" -> 0).
double ParseNumber(std::string_view text);

// A typed or pasted index figure: every "." becomes ",", every blank is
// removed, the number is rounded half away from zero to two decimals and
// clamped to 0..99999.99. Empty or non-numeric text gives 0.
double ReadFigure(std::string_view text);

// A typed percentage: every "." becomes ","; one trailing "%" is removed; the
// number is rounded half away from zero to two decimals and clamped to
// 0..100. Empty or non-numeric text gives 0.
double ReadPercentage(std::string_view text);

// A trend percentage (a yearly change, which may be negative): "." taken as
// decimal comma, blanks removed; not rounded or clamped. Non-numeric gives 0.
double ReadTrendPercentage(std::string_view text);

// A typed or pasted money amount: every "." is dropped (it is a thousands
// separator here), blanks are removed, "," is the decimal comma
// ("1.234,50" -> 1234.5). Not rounded. Empty or non-numeric text gives
// nothing.
std::optional<double> TryReadAmount(std::string_view text);
// As TryReadAmount, with 0 for a text that is not an amount.
double ReadAmount(std::string_view text);

}  // namespace pc
