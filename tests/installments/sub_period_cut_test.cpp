// Cutting installments into sub-periods and the settlement start rules.

#include <gtest/gtest.h>

#include <vector>

#include "calc_fixture.h"
#include "installments/day_calendar.h"
#include "installments/settlement_start.h"
#include "installments/sub_period_cut.h"

namespace pc {
namespace {

using installments::TDayRange;
using testing_support::Day;

std::int32_t D(int y, int m, int d) { return static_cast<std::int32_t>(Day(y, m, d)); }

TEST(DayCalendarTest, AgreesWithTheDateRoutinesAcrossTheSupportedYears) {
  // Every 97th day from year 1 to 9999, plus the leap-day corners.
  for (std::int32_t day = installments::kFirstSupportedDay; day <= installments::kLastSupportedDay;
       day += 97) {
    const TYmd expected = DecodeDate(day);
    const installments::TCivilDate got = installments::CivilFromDay(day);
    ASSERT_EQ(got.Year, expected.Year) << day;
    ASSERT_EQ(got.Month, expected.Month) << day;
    ASSERT_EQ(got.Day, expected.Day) << day;
    ASSERT_EQ(installments::DayFromCivil(got.Year, got.Month, got.Day), day);
  }
  EXPECT_EQ(installments::LastDayOfMonthOf(D(2008, 2, 3)), D(2008, 2, 29));
  EXPECT_EQ(installments::LastDayOfMonthOf(D(2100, 2, 3)), D(2100, 2, 28));
  EXPECT_EQ(installments::LastDayOfMonthOf(D(2000, 2, 29)), D(2000, 2, 29));
  EXPECT_EQ(installments::DayFromCivil(1899, 12, 30), 0);
}

TEST(DayCalendarTest, MonthCursorAgreesWithAFullConversionForEveryStep) {
  // Days in order, the next month, jumps forward and back, leap days, year
  // ends: the cursor must give what a full conversion gives.
  installments::TMonthCursor cursor;
  const std::int32_t steps[] = {1, 27, 31, 1, 400, -3000, 1, 0, 365, -1};
  std::int32_t day = D(2007, 12, 30);
  for (int round = 0; round < 400; ++round) {
    day += steps[round % 10] + (round % 7);
    const auto c = installments::CivilFromDay(day);
    ASSERT_EQ(cursor.OrdinalOf(day), installments::MonthOrdinal(c)) << day;
    ASSERT_EQ(cursor.LastDayOf(day), installments::LastDayOfMonthOf(day)) << day;
  }
  installments::TMonthCursor walk;
  for (day = D(1999, 12, 1); day <= D(2001, 3, 31); ++day) {
    ASSERT_EQ(walk.LastDayOf(day), installments::LastDayOfMonthOf(day)) << day;
    ASSERT_EQ(walk.OrdinalOf(day), installments::MonthOrdinalOfDay(day)) << day;
  }
}

struct TCutCase {
  const char* Name;
  TDayRange Installment;
  bool Restricted;
  std::int32_t Settlement;
  std::vector<TDayRange> Expected;
};

class CutTest : public ::testing::TestWithParam<TCutCase> {};

TEST_P(CutTest, CutsAsDocumentedAndCoversEveryDayOnce) {
  const TCutCase& c = GetParam();
  std::vector<TDayRange> got;
  installments::CutInstallment(c.Installment.Begin, c.Installment.End, c.Restricted, c.Settlement, got);
  ASSERT_EQ(got.size(), c.Expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].Begin, c.Expected[i].Begin) << "piece " << i;
    EXPECT_EQ(got[i].End, c.Expected[i].End) << "piece " << i;
  }
  std::int32_t next = c.Installment.Begin;
  for (const TDayRange& r : got) {
    EXPECT_EQ(r.Begin, next);
    EXPECT_LE(r.Begin, r.End);
    next = r.End + 1;
  }
  EXPECT_EQ(next, c.Installment.End + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CutTest,
    ::testing::Values(
        TCutCase{"WithinOneMonth", {D(2008, 3, 3), D(2008, 3, 20)}, false, 0,
                 {{D(2008, 3, 3), D(2008, 3, 20)}}},
        TCutCase{"SingleDay", {D(2008, 3, 3), D(2008, 3, 3)}, false, 0, {{D(2008, 3, 3), D(2008, 3, 3)}}},
        TCutCase{"AcrossLeapFebruary", {D(2008, 2, 1), D(2008, 3, 15)}, false, 0,
                 {{D(2008, 2, 1), D(2008, 2, 29)}, {D(2008, 3, 1), D(2008, 3, 15)}}},
        TCutCase{"AcrossFebruaryOfACommonYear", {D(2009, 2, 10), D(2009, 3, 1)}, false, 0,
                 {{D(2009, 2, 10), D(2009, 2, 28)}, {D(2009, 3, 1), D(2009, 3, 1)}}},
        TCutCase{"AcrossYearEnd", {D(2008, 12, 20), D(2009, 2, 10)}, false, 0,
                 {{D(2008, 12, 20), D(2008, 12, 31)},
                  {D(2009, 1, 1), D(2009, 1, 31)},
                  {D(2009, 2, 1), D(2009, 2, 10)}}},
        TCutCase{"SeveralYears", {D(2008, 11, 15), D(2010, 1, 5)}, false, 0,
                 {{D(2008, 11, 15), D(2008, 11, 30)}, {D(2008, 12, 1), D(2008, 12, 31)},
                  {D(2009, 1, 1), D(2009, 1, 31)},   {D(2009, 2, 1), D(2009, 2, 28)},
                  {D(2009, 3, 1), D(2009, 3, 31)},   {D(2009, 4, 1), D(2009, 4, 30)},
                  {D(2009, 5, 1), D(2009, 5, 31)},   {D(2009, 6, 1), D(2009, 6, 30)},
                  {D(2009, 7, 1), D(2009, 7, 31)},   {D(2009, 8, 1), D(2009, 8, 31)},
                  {D(2009, 9, 1), D(2009, 9, 30)},   {D(2009, 10, 1), D(2009, 10, 31)},
                  {D(2009, 11, 1), D(2009, 11, 30)}, {D(2009, 12, 1), D(2009, 12, 31)},
                  {D(2010, 1, 1), D(2010, 1, 5)}}},
        TCutCase{"RestrictedSettlementOnLastDayOfMonth", {D(2009, 1, 15), D(2009, 2, 20)}, true,
                 D(2009, 1, 31),
                 {{D(2009, 1, 15), D(2009, 1, 30)}, {D(2009, 1, 31), D(2009, 1, 31)},
                  {D(2009, 2, 1), D(2009, 2, 20)}}},
        TCutCase{"RestrictedEndingTheDayAfterTheMonth", {D(2009, 1, 2), D(2009, 2, 1)}, true,
                 D(2009, 1, 15),
                 {{D(2009, 1, 2), D(2009, 1, 14)}, {D(2009, 1, 15), D(2009, 1, 31)},
                  {D(2009, 2, 1), D(2009, 2, 1)}}},
        TCutCase{"RestrictedEndingBeforeSettlementIsNotCut", {D(2008, 11, 20), D(2009, 1, 10)}, true,
                 D(2009, 1, 11), {{D(2008, 11, 20), D(2009, 1, 10)}}},
        TCutCase{"RestrictedSettlementOnTheEndDay", {D(2008, 11, 20), D(2009, 1, 10)}, true,
                 D(2009, 1, 10),
                 {{D(2008, 11, 20), D(2009, 1, 9)}, {D(2009, 1, 10), D(2009, 1, 10)}}},
        TCutCase{"RestrictedSettlementOnTheBeginDay", {D(2009, 1, 10), D(2009, 3, 2)}, true,
                 D(2009, 1, 10),
                 {{D(2009, 1, 10), D(2009, 1, 31)}, {D(2009, 2, 1), D(2009, 2, 28)},
                  {D(2009, 3, 1), D(2009, 3, 2)}}},
        TCutCase{"RestrictedBeginAfterSettlementCutsByMonth", {D(2009, 1, 10), D(2009, 2, 2)}, true,
                 D(2008, 6, 1), {{D(2009, 1, 10), D(2009, 1, 31)}, {D(2009, 2, 1), D(2009, 2, 2)}}},
        TCutCase{"RestrictedSettlementOnLeapDay", {D(2008, 2, 1), D(2008, 3, 31)}, true, D(2008, 2, 29),
                 {{D(2008, 2, 1), D(2008, 2, 28)}, {D(2008, 2, 29), D(2008, 2, 29)},
                  {D(2008, 3, 1), D(2008, 3, 31)}}},
        TCutCase{"LastMonthsOfTheTable", {D(2100, 11, 5), D(2100, 12, 31)}, false, 0,
                 {{D(2100, 11, 5), D(2100, 11, 30)}, {D(2100, 12, 1), D(2100, 12, 31)}}}),
    [](const ::testing::TestParamInfo<TCutCase>& info) { return std::string(info.param.Name); });

struct TRuleCase {
  const char* Name;
  std::uint8_t Rule;
  TDateTime StartDate;
  TDateTime Tender;
  TDateTime StartOfWorks;
  TSettlementStart Expected;
};

class StartRuleTest : public ::testing::TestWithParam<TRuleCase> {};

TEST_P(StartRuleTest, GivesTheSettlementStart) {
  const TRuleCase& c = GetParam();
  const TSettlementStart got = StartRuleDate(c.Rule, c.StartDate, c.Tender, c.StartOfWorks);
  EXPECT_EQ(got.Restricted, c.Expected.Restricted);
  EXPECT_EQ(got.Date, c.Expected.Date);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, StartRuleTest,
    ::testing::Values(
        TRuleCase{"StartOfWorksIsUnrestricted", 0, Day(2009, 1, 1), Day(2007, 5, 1), Day(2008, 2, 1), {}},
        TRuleCase{"YearAfterTender", 1, 0, Day(2007, 5, 14), Day(2008, 2, 1), {true, Day(2008, 5, 14)}},
        TRuleCase{"FixedDate", 2, Day(2008, 2, 10), Day(2007, 5, 1), Day(2008, 2, 1), {true, Day(2008, 2, 10)}},
        TRuleCase{"FixedDateDropsTheTimeOfDay", 2, Day(2008, 2, 10) + 0.75, 0, 0, {true, Day(2008, 2, 10)}},
        TRuleCase{"YearAfterStartOfWorks", 3, 0, Day(2007, 5, 1), Day(2008, 2, 1), {true, Day(2009, 2, 1)}},
        TRuleCase{"LeapDayPlusOneYearIsClampedTo28February", 3, 0, 0, Day(2008, 2, 29),
                  {true, Day(2009, 2, 28)}},
        TRuleCase{"TenderOnLeapDay", 1, 0, Day(2012, 2, 29), 0, {true, Day(2013, 2, 28)}},
        TRuleCase{"UnknownRuleIsUnrestricted", 7, Day(2009, 1, 1), Day(2007, 5, 1), Day(2008, 2, 1), {}},
        TRuleCase{"FixedDateThatIsNoNumberIsUnrestricted", 2, std::nan(""), 0, 0, {}},
        TRuleCase{"FixedDateBeyondTheCalendarIsUnrestricted", 2, 1e12, 0, 0, {}}),
    [](const ::testing::TestParamInfo<TRuleCase>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace pc
