// Helpers shared by the index table tests.
#pragma once

#include <string>

#include "indextable/bd_config.h"

namespace pc::testing {

inline TComponentValues Component(const std::string& name, double percentage = 0,
                                  std::uint8_t trendKind = trend_kind::kNone,
                                  double trendPercentage = 0, bool variable = false) {
  TComponentValues v;
  v.Name = name;
  v.Percentage = percentage;
  v.Variable = variable;
  v.TrendKind = trendKind;
  v.TrendPercentage = trendPercentage;
  return v;
}

inline TMonthKey Key(int year, int month) { return MonthKeyOfYearMonth(year, month); }

// A table with the period January..June 2008.
inline TBDConfig TableJanToJun2008() {
  TBDConfig t(nullptr, 2012);
  t.SetPeriodStart(Key(2008, 1));
  t.SetPeriodEnd(Key(2008, 6));
  t.RebuildMonthList();
  return t;
}

// Sets the own figure of `position` in the month (which must lie in the period).
inline bool Set(TBDConfig& t, int position, int year, int month, double value) {
  return t.SetFigure(position, t.RowOfMonth(Key(year, month)), false, value);
}

}  // namespace pc::testing
