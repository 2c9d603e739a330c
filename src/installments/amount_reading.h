// Reading an installment amount typed in the grid or pasted from a
// spreadsheet, where "." may be a thousands separator (Dutch) or a decimal
// point (a spreadsheet set to English, or a number typed that way).
#pragma once

#include <optional>
#include <string_view>

namespace pc {

// The editors' and the paste's range of installment amounts.
inline constexpr double kMaxInstallmentAmount = 99999999.0;

// The decimal-point rule:
// - blanks are removed;
// - a text with a "," uses "," as decimal comma and every "." as thousands
//   separator ("1.234,50" -> 1234.5);
// - a text without "," but with "." reads each "." as a thousands separator
//   when every group after a "." has exactly three digits ("1.234" -> 1234,
//   "1.234.567" -> 1234567); otherwise a single "." is the decimal point
//   ("1234.50" -> 1234.5, "12.5" -> 12.5, "0.75" -> 0.75); several "."
//   that are not thousands groups make no amount;
// - a text without either is a whole number.
// The result is clamped to -99 999 999..99 999 999. Nothing for a text that
// is empty or not a number.
std::optional<double> TryReadInstallmentAmount(std::string_view text);
// As above with 0 for a text that is not an amount.
double ReadInstallmentAmount(std::string_view text);

}  // namespace pc
