#pragma once
// When a component starts to be settled ("Verrekening").

#include <cstdint>

#include "common/date_time.h"

namespace pc {

struct TSettlementStart {
  // Whether sub-periods before `Date` carry no correction.
  bool Restricted = false;
  // First settled day, a whole day; 0 when not restricted.
  TDateTime Date = 0;
  friend bool operator==(const TSettlementStart&, const TSettlementStart&) = default;
};

// The settlement start of a component with start rule `rule` (the stored
// number, see start_rule in indextable/bd_record.h) and start date
// `componentStartDate`, in a project with the given tender date and start
// of the works. Rule 1 is the tender date plus one
// year, rule 2 the component's start date, rule 3 the start of the works
// plus one year; rule 0 and every unknown number are not restricted. "Plus
// one year" keeps the day number and clamps it to the target month
// (29 February 2008 gives 28 February 2009). Every date is taken as its
// whole day. A date that cannot be a calendar day (not finite, outside the
// years 1..9999) makes the rule unrestricted rather than guessing a date.
TSettlementStart StartRuleDate(std::uint8_t rule, TDateTime componentStartDate,
                               TDateTime tenderDate, TDateTime startOfWorks);

}  // namespace pc
