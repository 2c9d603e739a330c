#pragma once
// Small builders shared by the installment tests: an index table with a
// period and figures, dates by calendar day, and an independent day-by-day
// reckoning of the totals that the calculation must agree with.

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>

#include "common/date_time.h"
#include "indextable/bd_config.h"
#include "indextable/month_key.h"
#include "installments/settlement_start.h"
#include "installments/termijn_config.h"

namespace pc::testing_support {

inline TDateTime Day(int y, int m, int d) { return EncodeDate(y, m, d); }

struct TFigure {
  int Year;
  int Month;
  double Value;
};

// An index table covering `fromYear`..`toYear` (clamped to the table).
class TTableBuilder {
 public:
  TTableBuilder(int fromYear, int toYear) : table_(nullptr, 2008) {
    table_.SetPeriodStart(MonthKeyOfYearMonth(fromYear, 1));
    table_.SetPeriodEnd(MonthKeyOfYearMonth(toYear, 12));
    table_.RebuildMonthList();
  }

  // Adds a component and returns its position.
  int Add(const std::string& name, double percentage, bool variable = false,
          std::uint8_t startRule = 0, TDateTime startDate = 0, std::uint8_t trendKind = 0,
          double trendPercentage = 0) {
    TComponentValues v;
    v.Name = name;
    v.Percentage = percentage;
    v.Variable = variable;
    v.StartRule = startRule;
    v.StartDate = startDate;
    v.TrendKind = trendKind;
    v.TrendPercentage = trendPercentage;
    const int slot = table_.AddComponent(v);
    return table_.PositionOf(slot);
  }

  void Figures(int position, std::initializer_list<TFigure> figures) {
    for (const TFigure& f : figures) Figure(position, f.Year, f.Month, f.Value);
  }
  void Figure(int position, int year, int month, double value) {
    const int row = table_.RowOfMonth(MonthKeyOfYearMonth(year, month));
    table_.SetFigure(position, row, false, value);
  }

  TBDConfig& Table() { return table_; }
  const TBDConfig& Table() const { return table_; }

 private:
  TBDConfig table_;
};

// A component amounts array with one entry set.
inline TComponentAmounts OneAmount(int componentSlot, double amount) {
  TComponentAmounts a{};
  if (componentSlot >= 1 && componentSlot <= kMaxComponents) a[componentSlot] = amount;
  return a;
}

// The totals of one component reckoned day by day: every day of an
// installment carries amount / days, valued at the figure of its own month
// (official) or of the installment's end month (simplified); days before a
// restricted component's settlement date count in the amount but not in the
// correction. Mathematically equal to the sub-period sums; it only differs
// in the last bits, so compare with a tolerance.
struct TReckoned {
  double Amount = 0;
  double Correction = 0;
};

inline TReckoned ReckonByDay(const TTermijnConfig& set, const TBDConfig& table, int position) {
  TReckoned r;
  const TBDRecord& c = table.GetComponent(position);
  const int componentSlot = table.SlotAt(position);
  const TSettlementStart start =
      StartRuleDate(c.StartRule, c.StartDate, set.TenderDate(), set.StartOfWorks());
  // Months after the table stand at its last month, as walking back finds.
  auto figureOn = [&](TDateTime day) {
    TYmd ymd = DecodeDate(day);
    if (ymd.Year > kLastYear) ymd = {kLastYear, 12, 31};
    if (ymd.Year < kFirstYear) return 0.0;
    return table.GetIndex(MonthKeyOfYearMonth(ymd.Year, ymd.Month), position).Figure;
  };
  const double base = figureOn(set.PriceReferenceDate());
  double begin = set.StartOfWorks();
  for (int s = 1; s <= set.Count(); ++s) {
    const double end = set.EndDate(s);
    const double days = end - begin + 1;
    const double own = c.Variable ? set.ComponentAmount(s, componentSlot) : c.Percentage / 100 * set.Amount(s);
    for (double d = begin; d <= end; d += 1) {
      const double dayAmount = own / days;
      const double figure = figureOn(set.Simplified() ? end : d);
      const double change = base != 0 && figure != 0 ? figure / base * 100 - 100 : 0;
      r.Amount += dayAmount;
      if (!(start.Restricted && d < start.Date)) r.Correction += change / 100 * dayAmount;
    }
    begin = end + 1;
  }
  return r;
}

}  // namespace pc::testing_support
