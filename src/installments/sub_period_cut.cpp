#include "installments/sub_period_cut.h"

#include "installments/day_calendar.h"

namespace pc::installments {

void CutByMonth(std::int32_t begin, std::int32_t end, std::vector<TDayRange>& out) {
  TMonthCursor month;
  std::int32_t u = begin;
  while (u <= end) {
    const std::int32_t last = month.LastDayOf(u);
    if (last >= end) {
      out.push_back({u, end});
      return;
    }
    out.push_back({u, last});
    u = last + 1;
  }
}

void CutInstallment(std::int32_t begin, std::int32_t end, bool restricted,
                    std::int32_t settlementDay, std::vector<TDayRange>& out) {
  if (!restricted || begin > settlementDay) {
    CutByMonth(begin, end, out);
    return;
  }
  if (end < settlementDay) {
    out.push_back({begin, end});
    return;
  }
  if (begin < settlementDay) out.push_back({begin, settlementDay - 1});
  const std::int32_t monthEnd = LastDayOfMonthOf(settlementDay);
  const std::int32_t m = end < monthEnd ? end : monthEnd;
  out.push_back({settlementDay, m});
  if (m + 1 <= end) CutByMonth(m + 1, end, out);
}

}  // namespace pc::installments
