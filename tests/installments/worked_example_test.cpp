// The documented worked example, figure by figure, by both methods and with
// a settlement start date.

#include <gtest/gtest.h>

#include "common/number_text.h"
#include "calc_fixture.h"
#include "installments/termijn_config.h"

namespace pc {
namespace {

using testing_support::Day;
using testing_support::TTableBuilder;

struct TExpectedPeriod {
  TDateTime Begin;
  TDateTime End;
  std::uint32_t Days;
  double Amount;
  double Change;
  double ComponentAmount;
  double Correction;
};

class WorkedExampleTest : public ::testing::Test {
 protected:
  WorkedExampleTest() : tables_(2007, 2009) {}

  void Build(std::uint8_t startRule = 0, TDateTime startDate = 0) {
    position_ = tables_.Add("Lonen", 40, false, startRule, startDate);
    tables_.Figures(position_, {{2008, 1, 100.00}, {2008, 2, 102.00}, {2008, 3, 103.50}});
    set_.SetIndexTable(&tables_.Table());
    set_.SetProjectDates(Day(2008, 1, 15), Day(2007, 6, 1), Day(2008, 2, 1));
    set_.SetCurrentComponent(position_);
    ASSERT_TRUE(set_.InsertInstallment("Termijn 1", {}, 0, 10000.00, Day(2008, 3, 15)));
  }

  void ExpectPeriods(const std::vector<TExpectedPeriod>& expected) {
    const auto periods = set_.SubPeriods(1);
    ASSERT_EQ(periods.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) {
      SCOPED_TRACE("sub-period " + std::to_string(k + 1));
      const TTermijnPeriod& p = periods[k];
      EXPECT_EQ(p.BeginDate, expected[k].Begin);
      EXPECT_EQ(p.EndDate, expected[k].End);
      EXPECT_EQ(p.Days, expected[k].Days);
      // Bit for bit: the calculation must evaluate in the documented order.
      EXPECT_EQ(p.Amount, expected[k].Amount);
      EXPECT_EQ(p.Triple(position_).Change, expected[k].Change);
      EXPECT_EQ(p.Triple(position_).ComponentAmount, expected[k].ComponentAmount);
      EXPECT_EQ(p.Triple(position_).Correction, expected[k].Correction);
      EXPECT_EQ(p.Triple(0).Correction, expected[k].Correction);
      EXPECT_EQ(p.Triple(0).ComponentAmount, expected[k].ComponentAmount);
      EXPECT_EQ(p.Triple(0).Change, 0.0);
    }
  }

  TTableBuilder tables_;
  TTermijnConfig set_;
  int position_ = 0;
};

constexpr double kPerDay = 10000.00 / 44;

TEST_F(WorkedExampleTest, OfficialMethodValuesEveryMonthAtItsOwnIndex) {
  Build();
  set_.Calculate(0);

  EXPECT_EQ(set_.BeginDate(1), Day(2008, 2, 1));
  EXPECT_EQ(set_.Days(1), 44u);
  const double feb = 29 * kPerDay;
  const double mar = 15 * kPerDay;
  const double feb_change = 102.00 / 100.00 * 100 - 100;
  const double mar_change = 103.50 / 100.00 * 100 - 100;
  ExpectPeriods({
      {Day(2008, 2, 1), Day(2008, 2, 29), 29, feb, feb_change, 40.0 / 100 * feb,
       feb_change / 100 * (40.0 / 100 * feb)},
      {Day(2008, 3, 1), Day(2008, 3, 15), 15, mar, mar_change, 40.0 / 100 * mar,
       mar_change / 100 * (40.0 / 100 * mar)},
  });
  EXPECT_NEAR(feb, 6590.9090909, 1e-6);
  EXPECT_NEAR(set_.SubPeriods(1)[0].Result.ComponentAmount, 2636.3636364, 1e-6);
  EXPECT_NEAR(set_.SubPeriods(1)[0].Result.Correction, 52.7272727, 1e-6);
  EXPECT_NEAR(set_.SubPeriods(1)[1].Result.Correction, 47.7272727, 1e-6);

  EXPECT_EQ(FormatAmount(set_.InstallmentCorrection(1)), "100,45");
  EXPECT_EQ(FormatAmount(set_.InstallmentComponentAmount(1)), "4.000,00");
  EXPECT_EQ(FormatAmount(set_.AmountTotal(position_)), "4.000,00");
  EXPECT_EQ(FormatAmount(set_.CorrectionTotal(position_)), "100,45");
  EXPECT_EQ(set_.CorrectionTotal(0), set_.CorrectionTotal(position_));
  EXPECT_EQ(set_.AmountTotal(0), 10000.00);
}

TEST_F(WorkedExampleTest, SimplifiedMethodValuesTheWholeInstallmentAtItsEndMonth) {
  Build();
  set_.SetSimplified(1);
  set_.Calculate(0);

  const double feb = 29 * kPerDay;
  const double mar = 15 * kPerDay;
  const double change = 103.50 / 100.00 * 100 - 100;
  ExpectPeriods({
      {Day(2008, 2, 1), Day(2008, 2, 29), 29, feb, change, 40.0 / 100 * feb,
       change / 100 * (40.0 / 100 * feb)},
      {Day(2008, 3, 1), Day(2008, 3, 15), 15, mar, change, 40.0 / 100 * mar,
       change / 100 * (40.0 / 100 * mar)},
  });
  EXPECT_NEAR(set_.SubPeriods(1)[0].Result.Correction, 92.2727273, 1e-6);
  EXPECT_NEAR(set_.SubPeriods(1)[1].Result.Correction, 47.7272727, 1e-6);
  EXPECT_EQ(FormatAmount(set_.InstallmentCorrection(1)), "140,00");
  EXPECT_EQ(FormatAmount(set_.CorrectionTotal(0)), "140,00");
  EXPECT_EQ(FormatAmount(set_.AmountTotal(position_)), "4.000,00");
}

TEST_F(WorkedExampleTest, FixedSettlementDateCutsFebruaryAndSettlesFromThatDay) {
  Build(2, Day(2008, 2, 10));
  set_.Calculate(0);

  const double first = 9 * kPerDay;
  const double rest = 20 * kPerDay;
  const double mar = 15 * kPerDay;
  const double feb_change = 102.00 / 100.00 * 100 - 100;
  const double mar_change = 103.50 / 100.00 * 100 - 100;
  ExpectPeriods({
      {Day(2008, 2, 1), Day(2008, 2, 9), 9, first, feb_change, 40.0 / 100 * first, 0.0},
      {Day(2008, 2, 10), Day(2008, 2, 29), 20, rest, feb_change, 40.0 / 100 * rest,
       feb_change / 100 * (40.0 / 100 * rest)},
      {Day(2008, 3, 1), Day(2008, 3, 15), 15, mar, mar_change, 40.0 / 100 * mar,
       mar_change / 100 * (40.0 / 100 * mar)},
  });
  // The unsettled days still count in the component's amount.
  EXPECT_EQ(FormatAmount(set_.AmountTotal(position_)), "4.000,00");
  EXPECT_NEAR(set_.CorrectionTotal(position_), 0.02 * 0.4 * rest + 0.035 * 0.4 * mar, 1e-9);
}

}  // namespace
}  // namespace pc
