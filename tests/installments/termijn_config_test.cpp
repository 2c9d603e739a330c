// The installment model: inserting, moving, changing and deleting
// installments, the entry checks, the new-entry row and the component
// amounts that follow their component.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "calc_fixture.h"
#include "common/recording_messages.h"
#include "installments/termijn_config.h"

namespace pc {
namespace {

using testing_support::Day;
using testing_support::OneAmount;
using testing_support::TTableBuilder;

constexpr double kKeep = std::numeric_limits<double>::infinity();

TComponentAmounts KeepAll() {
  TComponentAmounts a;
  a.fill(kKeep);
  return a;
}

// What a set holds, for comparing before and after a refused operation.
std::vector<std::string> Fingerprint(const TTermijnConfig& set) {
  std::vector<std::string> out;
  for (int s = 1; s <= set.Count(); ++s) {
    std::string line = set.Name(s) + "|" + std::to_string(set.EndDate(s)) + "|" +
                       std::to_string(set.Amount(s)) + "|" + (set.Expanded(s) ? "+" : "-");
    for (int c = 1; c <= kMaxComponents; ++c) {
      if (set.ComponentAmount(s, c) != 0) line += "|" + std::to_string(c) + "=" + std::to_string(set.ComponentAmount(s, c));
    }
    out.push_back(line);
  }
  return out;
}

class TermijnConfigTest : public ::testing::Test {
 protected:
  TermijnConfigTest() : tables_(2007, 2010) {
    set_.SetIndexTable(&tables_.Table());
    set_.SetProjectDates(Day(2008, 1, 1), Day(2007, 6, 1), Day(2008, 1, 10));
    set_.SetMessageUi(&messages_);
  }

  void ThreeInstallments() {
    ASSERT_TRUE(set_.InsertInstallment("Maart", {}, 0, 300, Day(2008, 3, 31)));
    ASSERT_TRUE(set_.InsertInstallment("Januari", {}, 0, 100, Day(2008, 1, 31)));
    ASSERT_TRUE(set_.InsertInstallment("Februari", {}, 0, 200, Day(2008, 2, 29)));
  }

  TTableBuilder tables_;
  TTermijnConfig set_;
  TRecordingMessages messages_;
};

TEST_F(TermijnConfigTest, InsertKeepsEndDayOrderAndBeginDatesFollow) {
  ThreeInstallments();
  ASSERT_EQ(set_.Count(), 3);
  EXPECT_EQ(set_.Name(1), "Januari");
  EXPECT_EQ(set_.Name(2), "Februari");
  EXPECT_EQ(set_.Name(3), "Maart");
  EXPECT_EQ(set_.CurrentSlot(), 2);  // "Februari" went in last
  set_.Calculate(0);
  EXPECT_EQ(set_.BeginDate(1), Day(2008, 1, 10));
  EXPECT_EQ(set_.BeginDate(2), Day(2008, 2, 1));
  EXPECT_EQ(set_.BeginDate(3), Day(2008, 3, 1));
  EXPECT_EQ(set_.Days(1), 22u);
  EXPECT_EQ(set_.Days(2), 29u);
  // Without any component the sub-periods still cover the installments.
  ASSERT_EQ(set_.SubPeriods(3).size(), 1u);
  EXPECT_EQ(set_.SubPeriods(3)[0].Amount, 300.0);
  EXPECT_EQ(set_.SubPeriods(3)[0].Triple(0).Correction, 0.0);
}

TEST_F(TermijnConfigTest, EndDateOnTheStartOfWorksIsAcceptedAndTimeOfDayDropped) {
  EXPECT_TRUE(set_.InsertInstallment("Eerste", {}, 0, 10, Day(2008, 1, 10) + 0.6));
  EXPECT_EQ(set_.EndDate(1), Day(2008, 1, 10));
  set_.Calculate(0);
  EXPECT_EQ(set_.Days(1), 1u);
  EXPECT_TRUE(set_.HasEndDate(Day(2008, 1, 10) + 0.2));
  EXPECT_FALSE(set_.HasEndDate(Day(2008, 1, 11)));
}

TEST_F(TermijnConfigTest, NamesAreCutTo25Characters) {
  ASSERT_TRUE(set_.InsertInstallment("Een hele lange termijnnaam van meer dan 25", {}, 0, 1, Day(2008, 2, 1)));
  EXPECT_EQ(set_.Name(1), "Een hele lange termijnnaa");
  EXPECT_EQ(set_.Name(1).size(), 25u);
}

struct TRefusal {
  const char* Name;
  int Row;
  double Amount;
  TDateTime EndDate;
  TComponentAmounts Amounts;
};

class RefusedInsertTest : public TermijnConfigTest, public ::testing::WithParamInterface<TRefusal> {};

TEST_P(RefusedInsertTest, ChangesNothing) {
  ThreeInstallments();
  set_.Calculate(0);
  const auto before = Fingerprint(set_);
  const int current = set_.CurrentSlot();
  const TRefusal& r = GetParam();
  EXPECT_FALSE(set_.InsertInstallment("Nieuw", r.Amounts, r.Row, r.Amount, r.EndDate));
  EXPECT_EQ(Fingerprint(set_), before);
  EXPECT_EQ(set_.CurrentSlot(), current);
  EXPECT_EQ(set_.BeginDate(3), Day(2008, 3, 1));  // results untouched
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedInsertTest,
    ::testing::Values(
        TRefusal{"SameEndDay", 0, 5, Day(2008, 2, 29), {}},
        TRefusal{"SameEndDayOtherTime", 0, 5, Day(2008, 2, 29) + 0.5, {}},
        TRefusal{"BeforeStartOfWorks", 0, 5, Day(2008, 1, 9), {}},
        TRefusal{"MoveOntoATakenDay", 1, 5, Day(2008, 3, 31), {}},
        TRefusal{"MoveBeforeStartOfWorks", 2, 5, Day(2007, 12, 31), {}},
        TRefusal{"RowShowingNothing", 9, 5, Day(2008, 5, 1), {}},
        TRefusal{"AmountNotANumber", 0, std::nan(""), Day(2008, 5, 1), {}},
        TRefusal{"AmountInfinite", 0, kKeep, Day(2008, 5, 1), {}},
        TRefusal{"EndDateNotANumber", 0, 5, std::nan(""), {}},
        TRefusal{"EndDateBeyondTheCalendar", 0, 5, 1e9, {}},
        TRefusal{"ComponentAmountNotANumber", 0, 5, Day(2008, 5, 1), OneAmount(3, std::nan(""))}),
    [](const ::testing::TestParamInfo<TRefusal>& info) { return std::string(info.param.Name); });

TEST_F(TermijnConfigTest, TheThousandthInstallmentIsRefusedButAMoveStillWorks) {
  for (int i = 0; i < kMaxInstallments; ++i) {
    ASSERT_TRUE(set_.InsertInstallment("T", {}, 0, 1, Day(2008, 1, 10) + i)) << i;
  }
  EXPECT_FALSE(set_.InsertInstallment("Te veel", {}, 0, 1, Day(2012, 1, 1)));
  EXPECT_EQ(set_.Count(), kMaxInstallments);
  EXPECT_TRUE(set_.InsertInstallment("Verplaatst", {}, 1, 1, Day(2012, 1, 1)));
  EXPECT_EQ(set_.Name(kMaxInstallments), "Verplaatst");
  EXPECT_EQ(set_.CurrentSlot(), kMaxInstallments);
}

TEST_F(TermijnConfigTest, MovingKeepsTheExpandedStateAndTakesTheStoredValues) {
  ThreeInstallments();
  set_.Calculate(0);
  ASSERT_TRUE(set_.Expand(1));  // row 1 shows "Januari"
  // Move "Januari" after "Maart" with every other value left as it is.
  ASSERT_TRUE(set_.ChangeInstallment(1, "", KeepAll(), kKeep, Day(2008, 4, 30)));
  EXPECT_EQ(set_.Name(3), "Januari");
  EXPECT_EQ(set_.Amount(3), 100.0);
  EXPECT_TRUE(set_.Expanded(3));
  EXPECT_EQ(set_.CurrentSlot(), 3);
  EXPECT_EQ(set_.Name(1), "Februari");
  set_.Calculate(0);
  EXPECT_EQ(set_.BeginDate(1), Day(2008, 1, 10));
  EXPECT_EQ(set_.CurrentRow(), set_.GridRow(3));
}

TEST_F(TermijnConfigTest, ChangingWithoutAMoveStoresOnlyTheGivenValues) {
  ThreeInstallments();
  TComponentAmounts amounts = KeepAll();
  amounts[4] = 12.5;
  ASSERT_TRUE(set_.ChangeInstallment(2, "Feb", amounts, kKeep, Day(2008, 2, 29) + 0.3));
  EXPECT_EQ(set_.Name(2), "Feb");
  EXPECT_EQ(set_.Amount(2), 200.0);
  EXPECT_EQ(set_.ComponentAmount(2, 4), 12.5);
  EXPECT_EQ(set_.EndDate(2), Day(2008, 2, 29));
  ASSERT_TRUE(set_.ChangeInstallment(2, "", KeepAll(), -75, 0));
  EXPECT_EQ(set_.Amount(2), -75.0);
  EXPECT_EQ(set_.Name(2), "Feb");
  EXPECT_EQ(set_.ComponentAmount(2, 4), 12.5);
  // A failed move leaves the installment where it was.
  EXPECT_FALSE(set_.ChangeInstallment(2, "", KeepAll(), kKeep, Day(2008, 1, 31)));
  EXPECT_EQ(set_.Name(2), "Feb");
  EXPECT_FALSE(set_.ChangeInstallment(2, "", KeepAll(), std::nan(""), 0));
  EXPECT_FALSE(set_.ChangeInstallment(0, "x", KeepAll(), kKeep, 0));
}

TEST_F(TermijnConfigTest, DeleteRemovesTheRowsInstallmentAndCloseTheGap) {
  ThreeInstallments();
  set_.Calculate(0);
  ASSERT_TRUE(set_.Expand(1));
  ASSERT_EQ(set_.RowCount(), 4);  // Januari, its sub-period, Februari, Maart
  EXPECT_EQ(set_.RowAt(2).Slot, 1);
  EXPECT_EQ(set_.RowAt(2).SubPeriod, 1);
  // A sub-period row stands for its installment.
  ASSERT_TRUE(set_.DeleteInstallment(2));
  EXPECT_EQ(set_.Count(), 2);
  EXPECT_EQ(set_.Name(1), "Februari");
  EXPECT_EQ(set_.RowCount(), 2);
  EXPECT_FALSE(set_.DeleteInstallment(3));
  EXPECT_FALSE(set_.DeleteInstallmentSlot(0));
  EXPECT_TRUE(set_.DeleteInstallmentSlot(2));
  EXPECT_EQ(Fingerprint(set_), std::vector<std::string>{"Februari|" + std::to_string(Day(2008, 2, 29)) + "|200.000000|-"});
  set_.Clear();
  EXPECT_EQ(set_.Count(), 0);
  EXPECT_EQ(set_.RowCount(), 0);
}

TEST_F(TermijnConfigTest, ComponentAmountsFollowTheirComponent) {
  const int a = tables_.Add("A", 0, true);
  const int b = tables_.Add("B", 0, true);
  const int c = tables_.Add("C", 0, true);
  TBDConfig& table = tables_.Table();
  TComponentAmounts amounts{};
  amounts[table.SlotAt(a)] = 1;
  amounts[table.SlotAt(b)] = 2;
  amounts[table.SlotAt(c)] = 3;
  ASSERT_TRUE(set_.InsertInstallment("T", amounts, 0, 10, Day(2008, 2, 1)));

  TInstallmentData data;
  ASSERT_TRUE(set_.GetInstallment(1, true, data));
  EXPECT_EQ(data.ComponentAmounts[1], 1);
  EXPECT_EQ(data.ComponentAmounts[3], 3);
  EXPECT_EQ(data.ComponentAmounts[4], 0);

  // Delete the component at position 1 and drop its amounts.
  const int deletedSlot = table.SlotAt(1);
  ASSERT_TRUE(table.DeleteComponent(1));
  set_.DropComponentAmounts(deletedSlot);
  ASSERT_TRUE(set_.GetInstallment(1, true, data));
  EXPECT_EQ(data.ComponentAmounts[1], 2);  // "B" now at position 1
  EXPECT_EQ(data.ComponentAmounts[2], 3);
  EXPECT_EQ(data.ComponentAmounts[3], 0);
  ASSERT_TRUE(set_.GetInstallment(1, false, data));
  EXPECT_EQ(data.ComponentAmounts[deletedSlot], 0);
  // Reordering changes the display order only.
  table.SwapPositions(1, 2);
  ASSERT_TRUE(set_.GetInstallment(1, true, data));
  EXPECT_EQ(data.ComponentAmounts[1], 3);
  EXPECT_EQ(data.ComponentAmounts[2], 2);
  EXPECT_FALSE(set_.GetInstallment(2, true, data));
}

struct TCheckCase {
  const char* Name;
  const char* Text;
  TEndDateCheck Code;
  TDateTime DateWithMessages;
  TDateTime DateWithoutMessages;
  const char* Message;
};

class CheckEndDateTest : public TermijnConfigTest, public ::testing::WithParamInterface<TCheckCase> {};

TEST_P(CheckEndDateTest, GivesTheCodeTheDateAndTheMessage) {
  ThreeInstallments();
  const TCheckCase& c = GetParam();
  const TEndDateResult quiet = set_.CheckEndDate(c.Text, false, 2008);
  EXPECT_EQ(quiet.Code, c.Code);
  EXPECT_EQ(quiet.Date, c.DateWithoutMessages);
  EXPECT_TRUE(messages_.Messages().empty());
  const TEndDateResult loud = set_.CheckEndDate(c.Text, true, 2008);
  EXPECT_EQ(loud.Code, c.Code);
  EXPECT_EQ(loud.Date, c.DateWithMessages);
  if (c.Message == nullptr) {
    EXPECT_TRUE(messages_.Messages().empty());
  } else {
    EXPECT_EQ(messages_.Messages(), std::vector<std::string>{c.Message});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, CheckEndDateTest,
    ::testing::Values(
        TCheckCase{"Valid", "5-3-08", TEndDateCheck::Valid, Day(2008, 3, 5), Day(2008, 3, 5), nullptr},
        TCheckCase{"ValidMonthName", "5-MAART-8", TEndDateCheck::Valid, Day(2008, 3, 5), Day(2008, 3, 5), nullptr},
        TCheckCase{"ValidWithoutYear", "5-3", TEndDateCheck::Valid, Day(2008, 3, 5), Day(2008, 3, 5), nullptr},
        TCheckCase{"OnTheStartOfWorks", "10-1-2008", TEndDateCheck::Valid, Day(2008, 1, 10), Day(2008, 1, 10), nullptr},
        TCheckCase{"NoDate", "5 3 2008", TEndDateCheck::NoDate, 0, 0, "Fout: Dit is geen geldige datum!"},
        TCheckCase{"ImpossibleDay", "31-2-2008", TEndDateCheck::NoDate, 0, 0, "Fout: Dit is geen geldige datum!"},
        TCheckCase{"Empty", "", TEndDateCheck::NoDate, 0, 0, "Fout: Dit is geen geldige datum!"},
        TCheckCase{"BeforeStartOfWorks", "9-1-2008", TEndDateCheck::BeforeStartOfWorks, 0, Day(2008, 1, 9),
                   "Fout: Datum dient op of na de uitvoer-startdatum te liggen!"},
        TCheckCase{"Taken", "29-feb-2008", TEndDateCheck::EndDateTaken, 0, Day(2008, 2, 29),
                   "Fout: Er is reeds een termijn met deze einddatum!"}),
    [](const ::testing::TestParamInfo<TCheckCase>& info) { return std::string(info.param.Name); });

TEST_F(TermijnConfigTest, NewEntryCommitsOnlyWhenCompleteAndInsertable) {
  const int var = tables_.Add("Var", 0, true);
  EXPECT_FALSE(set_.SetNewName("Nieuwe termijn met een naam langer dan toegestaan"));
  EXPECT_EQ(set_.NewEntry().Name.size(), 25u);
  EXPECT_FALSE(set_.SetNewAmount(1000));
  EXPECT_FALSE(set_.CommitNewEntry());  // no end date yet
  EXPECT_TRUE(set_.SetNewEndDate(Day(2008, 2, 15)));
  EXPECT_TRUE(set_.SetNewComponentAmount(var, 400));
  EXPECT_TRUE(set_.CommitNewEntry());
  EXPECT_EQ(set_.NewEntry().Name, "");
  EXPECT_EQ(set_.NewEntry().EndDate, 0.0);
  EXPECT_EQ(set_.ComponentAmount(1, tables_.Table().SlotAt(var)), 400.0);

  // Same end day again: refused, the typed values stay.
  set_.SetNewName("Dubbel");
  set_.SetNewEndDate(Day(2008, 2, 15));
  set_.SetNewAmount(5);
  EXPECT_FALSE(set_.CommitNewEntry());
  EXPECT_EQ(set_.NewEntry().Name, "Dubbel");
  EXPECT_EQ(set_.NewEntry().Amount, 5.0);
  EXPECT_EQ(set_.Count(), 1);
}

TEST_F(TermijnConfigTest, ComponentAmountAboveTheInstallmentAmountIsRefused) {
  set_.SetNewAmount(500);
  EXPECT_TRUE(set_.NewAmountAllowed(500, true));
  EXPECT_TRUE(messages_.Messages().empty());
  EXPECT_FALSE(set_.NewAmountAllowed(500.01, true));
  EXPECT_EQ(messages_.Messages(),
            std::vector<std::string>{"De som van de bestanddelen in deze termijn is hoger dan het termijnbedrag."});
  set_.SetNewComponentAmount(1, 300);
  EXPECT_TRUE(set_.NewAmountAllowed(300, false));
  EXPECT_FALSE(set_.NewAmountAllowed(299.99, false));
}

TEST_F(TermijnConfigTest, RowMapFollowsExpandAndCollapse) {
  const int p = tables_.Add("Lonen", 50);
  set_.SetCurrentComponent(p);
  ASSERT_TRUE(set_.InsertInstallment("Lang", {}, 0, 900, Day(2008, 3, 20)));  // 3 months
  ASSERT_TRUE(set_.InsertInstallment("Kort", {}, 0, 100, Day(2008, 3, 31)));
  set_.Calculate(0);
  EXPECT_EQ(set_.RowCount(), 2);
  EXPECT_FALSE(set_.IsExpanded(1));
  ASSERT_TRUE(set_.Expand(1));
  EXPECT_TRUE(set_.IsExpanded(2));  // a sub-period row reads its installment
  ASSERT_EQ(set_.RowCount(), 5);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(set_.RowAt(1 + k).Slot, 1);
    EXPECT_EQ(set_.RowAt(1 + k).SubPeriod, k);
  }
  EXPECT_EQ(set_.GridRow(2), 5);
  EXPECT_EQ(set_.RowAt(6).Slot, 0);
  EXPECT_EQ(set_.RowAt(0).Slot, 0);
  ASSERT_TRUE(set_.Collapse(3));
  EXPECT_EQ(set_.RowCount(), 2);
  EXPECT_EQ(set_.GridRow(2), 2);
  set_.Expand(1);
  set_.Expand(5);
  set_.CollapseAll();
  EXPECT_EQ(set_.RowCount(), 2);
  EXPECT_FALSE(set_.Expand(7));
}

TEST_F(TermijnConfigTest, RowMapNeverExceedsItsCapacity) {
  const int p = tables_.Add("Lonen", 50);
  tables_.Figure(p, 2008, 1, 100);
  set_.SetCurrentComponent(p);
  // 999 installments of six months each: expanding all would need ~7000 rows.
  TDateTime end = Day(2008, 1, 10);
  for (int i = 0; i < kMaxInstallments; ++i) {
    end += 182;
    ASSERT_TRUE(set_.InsertInstallment("T", {}, 0, 100, end));
  }
  set_.Calculate(0);
  int refused = 0;
  for (int slot = 1; slot <= set_.Count(); ++slot) {
    if (!set_.Expand(set_.GridRow(slot))) ++refused;
  }
  EXPECT_GT(refused, 0);
  EXPECT_LE(set_.RowCount(), kMaxInstallmentRows);
  EXPECT_EQ(set_.RowAt(set_.RowCount()).Slot, kMaxInstallments);
  // A calculation that cuts more finely still keeps the map in bounds.
  tables_.Table().ChangeComponent(p, {"Lonen", 50, false, 2, Day(2008, 1, 15), 0, 0});
  set_.Calculate(0);
  EXPECT_LE(set_.RowCount(), kMaxInstallmentRows);
  EXPECT_EQ(set_.GridRow(kMaxInstallments) > 0, true);
}

TEST_F(TermijnConfigTest, StartOfWorksMovedPastTheFirstEndGivesNoDivisionByZero) {
  const int p = tables_.Add("Lonen", 50);
  tables_.Figures(p, {{2008, 1, 100}, {2008, 2, 110}});
  set_.SetCurrentComponent(p);
  ASSERT_TRUE(set_.InsertInstallment("Eerste", {}, 0, 1000, Day(2008, 1, 31)));
  ASSERT_TRUE(set_.InsertInstallment("Tweede", {}, 0, 2000, Day(2008, 2, 29)));
  for (TDateTime start : {Day(2008, 2, 1), Day(2008, 2, 20)}) {
    set_.SetProjectDates(Day(2008, 1, 1), Day(2007, 6, 1), start);
    set_.Calculate(0);
    EXPECT_EQ(set_.Days(1), 0u);
    ASSERT_EQ(set_.SubPeriods(1).size(), 1u);
    const TTermijnPeriod& only = set_.SubPeriods(1)[0];
    EXPECT_EQ(only.Days, 0u);
    EXPECT_EQ(only.Amount, 1000.0);  // the whole amount, nothing lost
    EXPECT_TRUE(std::isfinite(only.Result.Correction));
    EXPECT_NEAR(set_.AmountTotal(p), 1500.0, 1e-9);
    EXPECT_TRUE(std::isfinite(set_.CorrectionTotal(0)));
    EXPECT_EQ(set_.Days(2), 29u);
  }
}

TEST_F(TermijnConfigTest, OneComponentRunLeavesTheProjectAmountAtZero) {
  const int a = tables_.Add("A", 30);
  const int b = tables_.Add("B", 70);
  tables_.Figures(a, {{2008, 1, 100}, {2008, 2, 101}});
  tables_.Figures(b, {{2008, 1, 100}, {2008, 2, 103}});
  set_.SetCurrentComponent(b);
  ASSERT_TRUE(set_.InsertInstallment("T", {}, 0, 1000, Day(2008, 2, 29)));
  set_.Calculate(a);
  EXPECT_EQ(set_.AmountTotal(0), 0.0);
  EXPECT_EQ(set_.ComputedComponent(), a);
  EXPECT_EQ(set_.CorrectionTotal(b), 0.0);
  EXPECT_GT(set_.CorrectionTotal(a), 0);
  set_.Calculate(0);
  EXPECT_EQ(set_.ComputedComponent(), b);
  EXPECT_EQ(set_.AmountTotal(0), 1000.0);
  // A current component that names no component counts as none: the last
  // component fills the sub-periods, even one without a share.
  set_.SetCurrentComponent(9);
  set_.Calculate(0);
  EXPECT_EQ(set_.ComputedComponent(), 2);
  const int none = tables_.Add("Geen aandeel", 0);
  set_.Calculate(0);
  EXPECT_EQ(set_.ComputedComponent(), none);
  EXPECT_EQ(set_.SubPeriods(1)[0].Triple(none).ComponentAmount, 0.0);
  EXPECT_EQ(set_.SubPeriods(1)[0].Triple(b).Correction, 0.0);
  EXPECT_GT(set_.CorrectionTotal(b), 0);
}

}  // namespace
}  // namespace pc
