#include "installments/settlement_start.h"

#include <cmath>

#include "indextable/bd_record.h"
#include "installments/day_calendar.h"

namespace pc {
namespace {

bool ToDay(TDateTime date, std::int32_t& day) {
  if (!std::isfinite(date)) return false;
  const double whole = std::trunc(date);
  if (whole < installments::kFirstSupportedDay || whole > installments::kLastSupportedDay) {
    return false;
  }
  day = static_cast<std::int32_t>(whole);
  return true;
}

TSettlementStart OneYearAfter(TDateTime date) {
  std::int32_t day = 0;
  // The last supported year has no following year to move into.
  if (!ToDay(date, day) || installments::CivilFromDay(day).Year >= 9999) return {};
  return {true, static_cast<TDateTime>(installments::AddOneYear(day))};
}

}  // namespace

TSettlementStart StartRuleDate(std::uint8_t rule, TDateTime componentStartDate,
                               TDateTime tenderDate, TDateTime startOfWorks) {
  switch (rule) {
    case start_rule::kYearAfterTender:
      return OneYearAfter(tenderDate);
    case start_rule::kFixedDate: {
      std::int32_t day = 0;
      if (!ToDay(componentStartDate, day)) return {};
      return {true, static_cast<TDateTime>(day)};
    }
    case start_rule::kYearAfterStartOfWorks:
      return OneYearAfter(startOfWorks);
    default:
      return {};
  }
}

}  // namespace pc
