// The calculation over a table of projects, by both methods, checked
// against an independent day-by-day reckoning and the sub-period rules.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "calc_fixture.h"
#include "installments/termijn_config.h"

namespace pc {
namespace {

using testing_support::Day;
using testing_support::OneAmount;
using testing_support::ReckonByDay;
using testing_support::TTableBuilder;

struct TScenario {
  TScenario(int fromYear, int toYear) : tables(fromYear, toYear) { set.SetIndexTable(&tables.Table()); }
  TTableBuilder tables;
  TTermijnConfig set;

  void Dates(TDateTime reference, TDateTime tender, TDateTime start) {
    set.SetProjectDates(reference, tender, start);
  }
  void Installment(TDateTime end, double amount, const TComponentAmounts& amounts = {}) {
    ASSERT_TRUE(set.InsertInstallment("T", amounts, 0, amount, end)) << end;
  }
  int SlotOf(int position) const { return tables.Table().SlotAt(position); }
  TBDConfig& Table() { return tables.Table(); }
  const TBDConfig& Table() const { return tables.Table(); }
};

struct TCalcCase {
  const char* Name;
  int FromYear;
  int ToYear;
  std::function<void(TScenario&)> Build;
  // Extra expectations after Calculate(0); may be empty.
  std::function<void(const TScenario&)> Check;
};

bool Near(double a, double b) { return std::fabs(a - b) <= 1e-7 * std::max(1.0, std::fabs(b)); }

class CorrectionCaseTest : public ::testing::TestWithParam<std::tuple<TCalcCase, int>> {};

TEST_P(CorrectionCaseTest, TotalsMatchADayByDayReckoning) {
  const TCalcCase& c = std::get<0>(GetParam());
  TScenario sc(c.FromYear, c.ToYear);
  c.Build(sc);
  sc.set.SetSimplified(std::get<1>(GetParam()));
  sc.set.Calculate(0);

  const TBDConfig& table = sc.Table();
  double correctionSum = 0;
  for (int p = 1; p <= table.Count(); ++p) {
    SCOPED_TRACE("component " + std::to_string(p));
    const auto r = ReckonByDay(sc.set, table, p);
    EXPECT_PRED2(Near, sc.set.AmountTotal(p), r.Amount);
    EXPECT_PRED2(Near, sc.set.CorrectionTotal(p), r.Correction);
    correctionSum += sc.set.CorrectionTotal(p);
  }
  EXPECT_PRED2(Near, sc.set.CorrectionTotal(0), correctionSum);

  // The totals of the full run are, to the bit, the sums of the sub-period
  // results that a run of one component shows.
  std::vector<double> corrections, componentAmounts;
  for (int p = 1; p <= table.Count(); ++p) {
    corrections.push_back(sc.set.CorrectionTotal(p));
    componentAmounts.push_back(sc.set.AmountTotal(p));
  }
  for (int p = 1; p <= table.Count(); ++p) {
    SCOPED_TRACE("component " + std::to_string(p) + " alone");
    TTermijnConfig one(sc.set);
    one.Calculate(p);
    double correction = 0, componentAmount = 0;
    for (int s = 1; s <= one.Count(); ++s) {
      for (const TTermijnPeriod& period : one.SubPeriods(s)) {
        correction += period.Result.Correction;
        componentAmount += period.Result.ComponentAmount;
      }
    }
    EXPECT_EQ(correction, corrections[static_cast<std::size_t>(p - 1)]);
    EXPECT_EQ(componentAmount, componentAmounts[static_cast<std::size_t>(p - 1)]);
  }
  sc.set.Calculate(0);
  double amounts = 0;
  for (int s = 1; s <= sc.set.Count(); ++s) amounts += sc.set.Amount(s);
  EXPECT_EQ(sc.set.AmountTotal(0), amounts);

  // Sub-periods: in order, every day once, amounts adding up, one month
  // each unless they lie wholly before a settlement date.
  const int shown = sc.set.ComputedComponent();
  const TSettlementStart start = sc.set.StartRuleDate(shown);
  double shownCorrection = 0;
  for (int s = 1; s <= sc.set.Count(); ++s) {
    SCOPED_TRACE("installment " + std::to_string(s));
    const TDateTime begin = s == 1 ? sc.set.StartOfWorks() : sc.set.EndDate(s - 1) + 1;
    EXPECT_EQ(sc.set.BeginDate(s), begin);
    EXPECT_EQ(sc.set.Days(s), static_cast<std::uint32_t>(sc.set.EndDate(s) - begin + 1));
    TDateTime next = begin;
    double sum = 0;
    std::uint32_t days = 0;
    for (const TTermijnPeriod& p : sc.set.SubPeriods(s)) {
      EXPECT_EQ(p.BeginDate, next);
      EXPECT_EQ(p.Days, static_cast<std::uint32_t>(p.EndDate - p.BeginDate + 1));
      const TYmd b = DecodeDate(p.BeginDate);
      const TYmd e = DecodeDate(p.EndDate);
      if (!(start.Restricted && p.BeginDate < start.Date)) {
        EXPECT_TRUE(b.Year == e.Year && b.Month == e.Month) << p.BeginDate << ".." << p.EndDate;
      } else {
        EXPECT_EQ(p.Result.Correction, 0.0);
      }
      sum += p.Amount;
      days += p.Days;
      shownCorrection += p.Triple(shown).Correction;
      next = p.EndDate + 1;
    }
    EXPECT_EQ(next, sc.set.EndDate(s) + 1);
    EXPECT_EQ(days, sc.set.Days(s));
    EXPECT_PRED2(Near, sum, sc.set.Amount(s));
  }
  if (shown != 0) {
    EXPECT_PRED2(Near, shownCorrection, sc.set.CorrectionTotal(shown));
  }
  if (c.Check) c.Check(sc);
}

// A rising series: 100 in January 2008, +1 every month.
void RisingSeries(TScenario& sc, int position, int fromYear, int toYear, double start = 100,
                  double step = 1) {
  double v = start;
  for (int y = fromYear; y <= toYear; ++y) {
    for (int m = 1; m <= 12; ++m, v += step) sc.tables.Figure(position, y, m, v);
  }
}

const TCalcCase kCases[] = {
    {"InstallmentsBeforeThePriceReferenceDate", 2008, 2010,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Lonen", 50);
       RisingSeries(sc, p, 2008, 2010);
       sc.Dates(Day(2009, 6, 15), Day(2008, 1, 1), Day(2009, 1, 1));
       sc.Installment(Day(2009, 1, 31), 1000);
       sc.Installment(Day(2009, 3, 15), 2000);
     },
     [](const TScenario& sc) { EXPECT_LT(sc.set.CorrectionTotal(1), 0); }},
    {"InstallmentAcrossThePriceReferenceDate", 2008, 2010,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Lonen", 35);
       RisingSeries(sc, p, 2008, 2010);
       sc.Dates(Day(2009, 1, 10), Day(2008, 1, 1), Day(2008, 12, 1));
       sc.Installment(Day(2009, 2, 20), 4400);
     },
     [](const TScenario& sc) {
       // December is one point below the base, January equal, February one above.
       const auto p = sc.set.SubPeriods(1);
       ASSERT_EQ(p.size(), 3u);
       if (!sc.set.Simplified()) {
         EXPECT_LT(p[0].Result.Change, 0);
         EXPECT_EQ(p[1].Result.Change, 0);
         EXPECT_GT(p[2].Result.Change, 0);
       }
     }},
    {"InstallmentsAfterThePriceReferenceDate", 2008, 2010,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Materiaal", 60);
       RisingSeries(sc, p, 2008, 2010, 80, 0.5);
       sc.Dates(Day(2008, 1, 31), Day(2007, 12, 1), Day(2008, 2, 1));
       for (int m = 2; m <= 12; ++m) sc.Installment(Day(2008, m, 10 + m), 1000.0 * m);
     },
     [](const TScenario& sc) { EXPECT_GT(sc.set.CorrectionTotal(1), 0); }},
    {"StartRulesZeroToThree", 2006, 2011,
     [](TScenario& sc) {
       int p[4];
       p[0] = sc.tables.Add("Regel 0", 10, false, 0);
       p[1] = sc.tables.Add("Regel 1", 20, false, 1);
       p[2] = sc.tables.Add("Regel 2", 30, false, 2, Day(2008, 9, 17));
       p[3] = sc.tables.Add("Regel 3", 40, false, 3);
       for (int i = 0; i < 4; ++i) RisingSeries(sc, p[i], 2006, 2011, 90 + i, 0.25 * (i + 1));
       sc.Dates(Day(2007, 11, 1), Day(2007, 3, 20), Day(2008, 1, 7));
       for (int k = 0; k < 30; ++k) sc.Installment(Day(2008, 1, 7) + 25 * k + 20, 500 + 37 * k);
     },
     [](const TScenario& sc) {
       // The restricted ones settle less than an unrestricted twin would.
       EXPECT_EQ(sc.set.StartRuleDate(2).Date, Day(2008, 3, 20));
       EXPECT_EQ(sc.set.StartRuleDate(3).Date, Day(2008, 9, 17));
       EXPECT_EQ(sc.set.StartRuleDate(4).Date, Day(2009, 1, 7));
       EXPECT_FALSE(sc.set.StartRuleDate(1).Restricted);
     }},
    {"SettlementDateAfterEveryInstallment", 2008, 2009,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Later", 50, false, 2, Day(2009, 6, 1));
       RisingSeries(sc, p, 2008, 2009);
       sc.Dates(Day(2008, 1, 1), Day(2008, 1, 1), Day(2008, 1, 1));
       sc.Installment(Day(2008, 3, 31), 1000);
       sc.Installment(Day(2008, 8, 31), 1000);
     },
     [](const TScenario& sc) {
       EXPECT_EQ(sc.set.CorrectionTotal(1), 0.0);
       EXPECT_EQ(sc.set.AmountTotal(1), 1000.0);
       EXPECT_EQ(sc.set.SubPeriods(1).size(), 1u);  // uncut
     }},
    {"NoFigureAtOrBeforeTheReferenceMonth", 2008, 2009,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Leeg", 50);
       sc.tables.Figures(p, {{2008, 6, 100}, {2008, 7, 104}});
       sc.Dates(Day(2008, 3, 15), Day(2008, 1, 1), Day(2008, 5, 1));
       sc.Installment(Day(2008, 7, 31), 3000);
     },
     [](const TScenario& sc) {
       EXPECT_EQ(sc.set.CorrectionTotal(1), 0.0);
       for (const auto& p : sc.set.SubPeriods(1)) EXPECT_EQ(p.Result.Change, 0.0);
     }},
    {"NoFiguresAtAll", 2008, 2009,
     [](TScenario& sc) {
       sc.tables.Add("Niets", 50);
       sc.Dates(Day(2008, 3, 15), Day(2008, 1, 1), Day(2008, 5, 1));
       sc.Installment(Day(2008, 7, 31), 3000);
     },
     [](const TScenario& sc) {
       EXPECT_EQ(sc.set.CorrectionTotal(0), 0.0);
       EXPECT_EQ(sc.set.AmountTotal(1), 1500.0);
     }},
    {"CarriedForwardFigures", 2008, 2008,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Gaten", 100);
       sc.tables.Figures(p, {{2008, 1, 100}, {2008, 4, 106}});
       sc.Dates(Day(2008, 1, 15), Day(2007, 1, 1), Day(2008, 2, 1));
       sc.Installment(Day(2008, 3, 31), 6000);
       sc.Installment(Day(2008, 6, 30), 9100);
     },
     [](const TScenario& sc) {
       // February and March carry January: no change.
       EXPECT_EQ(sc.set.SubPeriods(1)[0].Result.Change, 0.0);
       if (sc.set.Simplified()) {
         EXPECT_EQ(sc.set.SubPeriods(1)[1].Result.Change, 0.0);
       }
     }},
    {"TrendFiguresBeyondTheLastFigure", 2008, 2008,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Trend", 100, false, 0, 0, 1);
       sc.tables.Figures(p, {{2008, 1, 100}, {2008, 4, 106}});
       sc.Dates(Day(2008, 1, 15), Day(2007, 1, 1), Day(2008, 5, 1));
       sc.Installment(Day(2008, 5, 31), 1000);
       sc.Installment(Day(2009, 2, 28), 1000);
     },
     [](const TScenario& sc) {
       // May 2008 is a trend figure of 107,50.
       EXPECT_NEAR(sc.set.SubPeriods(1)[0].Result.Change, 7.5, 1e-9);
     }},
    {"FiguresAfterThePeriodEndWalkBack", 2008, 2008,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Einde", 100);
       sc.tables.Figures(p, {{2008, 1, 100}, {2008, 12, 110}});
       sc.Dates(Day(2008, 1, 1), Day(2008, 1, 1), Day(2008, 12, 1));
       sc.Installment(Day(2009, 3, 31), 1210);
     },
     [](const TScenario& sc) {
       for (const auto& p : sc.set.SubPeriods(1)) EXPECT_NEAR(p.Result.Change, 10.0, 1e-9);
     }},
    {"VariableComponents", 2008, 2009,
     [](TScenario& sc) {
       const int a = sc.tables.Add("Var A", 0, true);
       const int b = sc.tables.Add("Var B", 25, true);  // the percentage is ignored
       const int f = sc.tables.Add("Vast", 10);
       for (int p : {a, b, f}) RisingSeries(sc, p, 2008, 2009, 100, 0.5 * p);
       sc.Dates(Day(2008, 1, 20), Day(2008, 1, 1), Day(2008, 2, 5));
       TComponentAmounts amounts{};
       amounts[sc.SlotOf(a)] = 300;
       amounts[sc.SlotOf(b)] = 450.5;
       sc.Installment(Day(2008, 4, 12), 1000, amounts);
       sc.Installment(Day(2008, 5, 3), 800, OneAmount(sc.SlotOf(b), 200));
       sc.Installment(Day(2008, 7, 1), 900);  // no variable amounts at all
     },
     [](const TScenario& sc) {
       EXPECT_PRED2(Near, sc.set.AmountTotal(1), 300.0);
       EXPECT_PRED2(Near, sc.set.AmountTotal(2), 650.5);
       EXPECT_PRED2(Near, sc.set.AmountTotal(3), 270.0);
     }},
    {"NegativeAndZeroAmounts", 2008, 2009,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Lonen", 40);
       RisingSeries(sc, p, 2008, 2009);
       sc.Dates(Day(2008, 1, 1), Day(2008, 1, 1), Day(2008, 1, 1));
       sc.Installment(Day(2008, 3, 10), 5000);
       sc.Installment(Day(2008, 4, 10), 0);
       sc.Installment(Day(2008, 6, 10), -2500);
     },
     [](const TScenario& sc) {
       EXPECT_EQ(sc.set.AmountTotal(0), 2500.0);
       for (const auto& p : sc.set.SubPeriods(3)) {
         EXPECT_LT(p.Result.ComponentAmount, 0);
         EXPECT_LT(p.Result.Correction, 0);
       }
     }},
    {"FallingIndexWithNegativeAmountCorrectsUpwards", 2008, 2009,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Staal", 70);
       RisingSeries(sc, p, 2008, 2009, 150, -2);
       sc.Dates(Day(2008, 1, 1), Day(2008, 1, 1), Day(2008, 3, 1));
       sc.Installment(Day(2008, 5, 31), -10000);
     },
     [](const TScenario& sc) {
       EXPECT_GT(sc.set.CorrectionTotal(1), 0);
       for (const auto& p : sc.set.SubPeriods(1)) EXPECT_LT(p.Result.Change, 0);
     }},
    {"AcrossYearEndAndLeapDay", 2007, 2009,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Lonen", 100, false, 3);
       RisingSeries(sc, p, 2007, 2009, 100, 0.7);
       sc.Dates(Day(2007, 10, 1), Day(2007, 1, 1), Day(2007, 2, 28));
       sc.Installment(Day(2008, 1, 15), 10000);  // across the year end
       sc.Installment(Day(2008, 3, 3), 4000);    // across 29 February
       sc.Installment(Day(2009, 1, 2), 20000);   // settlement from 28 February 2008
     },
     [](const TScenario& sc) {
       ASSERT_EQ(sc.set.SubPeriods(2).size(), 3u);  // 16 Jan-27 Feb, 28-29 Feb, 1-3 Mar
       EXPECT_EQ(sc.set.SubPeriods(2)[1].Days, 2u);
     }},
    {"FirstMonthsOfTheTable", 1981, 1982,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Oud", 50);
       RisingSeries(sc, p, 1981, 1982);
       sc.Dates(Day(1981, 1, 1), Day(1981, 1, 1), Day(1981, 1, 1));
       sc.Installment(Day(1981, 1, 31), 1000);
       sc.Installment(Day(1981, 3, 1), 1000);
     },
     {}},
    {"StartOfWorksBeforeTheTable", 1981, 1982,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Oud", 50);
       RisingSeries(sc, p, 1981, 1982);
       sc.Dates(Day(1981, 2, 1), Day(1980, 1, 1), Day(1980, 11, 20));
       sc.Installment(Day(1981, 3, 10), 1100);
     },
     [](const TScenario& sc) {
       // Months before 1981 have no figure, so no change.
       if (!sc.set.Simplified()) {
         EXPECT_EQ(sc.set.SubPeriods(1)[0].Result.Change, 0.0);
       }
     }},
    {"LastMonthsOfTheTableAndBeyond", 2099, 2100,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Toekomst", 50);
       RisingSeries(sc, p, 2099, 2100);
       sc.Dates(Day(2099, 1, 1), Day(2099, 1, 1), Day(2100, 10, 5));
       sc.Installment(Day(2100, 12, 31), 1000);
       sc.Installment(Day(2101, 2, 3), 1000);  // after the table: December 2100 stands for it
     },
     [](const TScenario& sc) {
       const double dec = sc.set.SubPeriods(1).back().Result.Change;
       for (const auto& p : sc.set.SubPeriods(2)) EXPECT_EQ(p.Result.Change, dec);
     }},
    {"PriceReferenceDateAfterTheTable", 2100, 2100,
     [](TScenario& sc) {
       const int p = sc.tables.Add("Toekomst", 50);
       RisingSeries(sc, p, 2100, 2100);
       sc.Dates(Day(2103, 1, 1), Day(2099, 1, 1), Day(2100, 10, 5));
       sc.Installment(Day(2100, 12, 31), 1000);
     },
     [](const TScenario& sc) {
       // The base is December 2100's figure, so December shows no change.
       EXPECT_EQ(sc.set.SubPeriods(1).back().Result.Change, 0.0);
     }},
    {"NineHundredNinetyNineInstallmentsAndFiveComponents", 1981, 2070,
     [](TScenario& sc) {
       for (int c = 0; c < 5; ++c) {
         const int p = sc.tables.Add("B" + std::to_string(c), 10 + c, c == 4, static_cast<std::uint8_t>(c % 4),
                                     Day(1990, 7, 1));
         RisingSeries(sc, p, 1981, 2070, 80 + c, 0.05 * (c + 1));
       }
       sc.Dates(Day(1983, 5, 15), Day(1981, 3, 1), Day(1981, 1, 1));
       for (int m = 0; m < kMaxInstallments; ++m) {
         sc.Installment(Day(1981 + m / 12, m % 12 + 1, 1 + (7 * m) % 28), 1000 + 13 * (m % 50) - 300,
                        OneAmount(sc.SlotOf(5), 100 + m % 17));
       }
       sc.set.SetCurrentComponent(3);
     },
     [](const TScenario& sc) {
       EXPECT_EQ(sc.set.Count(), kMaxInstallments);
       EXPECT_EQ(sc.set.ComputedComponent(), 3);
     }},
    {"ComponentWithoutShareAndCurrentNotSet", 2008, 2009,
     [](TScenario& sc) {
       const int a = sc.tables.Add("Nul", 0);
       const int b = sc.tables.Add("Lonen", 45);
       RisingSeries(sc, a, 2008, 2009);
       RisingSeries(sc, b, 2008, 2009);
       sc.Dates(Day(2008, 1, 1), Day(2008, 1, 1), Day(2008, 1, 1));
       sc.Installment(Day(2008, 5, 31), 1000);
     },
     [](const TScenario& sc) {
       EXPECT_EQ(sc.set.CorrectionTotal(1), 0.0);
       EXPECT_EQ(sc.set.AmountTotal(1), 0.0);
       EXPECT_EQ(sc.set.ComputedComponent(), 2);  // without a current one the last is shown
     }},
};

INSTANTIATE_TEST_SUITE_P(Cases, CorrectionCaseTest,
                         ::testing::Combine(::testing::ValuesIn(kCases), ::testing::Values(0, 1)),
                         [](const ::testing::TestParamInfo<std::tuple<TCalcCase, int>>& info) {
                           return std::string(std::get<0>(info.param).Name) +
                                  (std::get<1>(info.param) == 1 ? "_Simplified" : "_Official");
                         });

}  // namespace
}  // namespace pc
