#pragma once
// Cutting one installment into sub-periods.

#include <cstdint>
#include <vector>

namespace pc::installments {

// A run of whole days [Begin, End], both included, as day numbers.
struct TDayRange {
  std::int32_t Begin = 0;
  std::int32_t End = 0;
  friend bool operator==(const TDayRange&, const TDayRange&) = default;
};

// Appends to `out` the sub-periods of the installment [begin, end]
// (begin <= end is required) for a component whose settlement is restricted
// from `settlementDay` on (ignored when `restricted` is false):
// - not restricted, or begin after the settlement day: one sub-period per
//   calendar month touched, the first and last cut at begin and end;
// - end before the settlement day: the whole installment, uncut;
// - otherwise [begin, settlement day - 1] when begin lies before it, then
//   [settlement day, last day of its month or end when earlier], then the
//   rest cut by calendar month.
// The appended ranges cover every day of [begin, end] once, in order.
void CutInstallment(std::int32_t begin, std::int32_t end, bool restricted,
                    std::int32_t settlementDay, std::vector<TDayRange>& out);

// Appends one range per calendar month touched by [begin, end].
void CutByMonth(std::int32_t begin, std::int32_t end, std::vector<TDayRange>& out);

}  // namespace pc::installments
