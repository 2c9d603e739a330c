// Copies of an installment set: every copy is whole and independent, and
// a copy shares what neither side has changed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc_fixture.h"
#include "installments/termijn_config.h"

namespace pc {
namespace {

using testing_support::Day;
using testing_support::OneAmount;
using testing_support::TTableBuilder;

// Everything a set shows, inputs and results, as text.
std::vector<std::string> Snapshot(const TTermijnConfig& set) {
  std::vector<std::string> out;
  for (int s = 1; s <= set.Count(); ++s) {
    std::string line = set.Name(s) + "|" + std::to_string(set.EndDate(s)) + "|" + std::to_string(set.Amount(s)) +
                       "|" + std::to_string(set.ComponentAmount(s, 1)) + "|" + std::to_string(set.Expanded(s)) +
                       "|" + std::to_string(set.BeginDate(s)) + "|" + std::to_string(set.Days(s));
    for (const TTermijnPeriod& p : set.SubPeriods(s)) {
      line += "|" + std::to_string(p.BeginDate) + ":" + std::to_string(p.Result.Correction);
    }
    out.push_back(line);
  }
  out.push_back("rows " + std::to_string(set.RowCount()) + " total " + std::to_string(set.CorrectionTotal(0)));
  return out;
}

class CopyOnWriteTest : public ::testing::Test {
 protected:
  CopyOnWriteTest() : tables_(2008, 2012) {}
  void SetUp() override {
    position_ = tables_.Add("Var", 0, true);
    const int fixed = tables_.Add("Vast", 50);
    for (int p : {position_, fixed}) {
      double v = 100;
      for (int y = 2008; y <= 2012; ++y) {
        for (int m = 1; m <= 12; ++m, v += 0.3) tables_.Figure(p, y, m, v);
      }
    }
    set_.SetIndexTable(&tables_.Table());
    set_.SetProjectDates(Day(2008, 1, 1), Day(2007, 1, 1), Day(2008, 1, 1));
    set_.SetCurrentComponent(position_);
    for (int i = 0; i < 200; ++i) {
      ASSERT_TRUE(set_.InsertInstallment("T" + std::to_string(i), OneAmount(1, i), 0, 100 + i,
                                         Day(2008, 1, 1) + 7 * i + 6));
    }
    set_.Calculate(0);
  }
  TTableBuilder tables_;
  TTermijnConfig set_;
  int position_ = 0;
};

TEST_F(CopyOnWriteTest, ACopySharesEveryBlockUntilChanged) {
  TTermijnConfig copy(set_);
  const int blocks = copy.SharedBlocks(set_);
  EXPECT_EQ(blocks, 8);  // 4 installment blocks + 4 result blocks for 200 installments
  TTermijnConfig assigned;
  assigned.CopyFrom(set_);
  EXPECT_EQ(assigned.SharedBlocks(set_), blocks);
  EXPECT_EQ(Snapshot(assigned), Snapshot(set_));
}

TEST_F(CopyOnWriteTest, AppendingAndRecalculatingTouchesOnlyTheLastBlocks) {
  TTermijnConfig copy(set_);
  ASSERT_TRUE(copy.InsertInstallment("Nieuw", {}, 0, 5, Day(2012, 6, 1)));
  copy.Calculate(0);
  // The first three blocks of installments and of results are still shared.
  EXPECT_EQ(copy.SharedBlocks(set_), 6);
}

struct TEdit {
  const char* Name;
  void (*Apply)(TTermijnConfig&);
};

class CopyIndependenceTest : public CopyOnWriteTest, public ::testing::WithParamInterface<TEdit> {};

TEST_P(CopyIndependenceTest, EditingOneSideLeavesTheOtherAsItWas) {
  const std::vector<std::string> original = Snapshot(set_);
  {
    TTermijnConfig copy(set_);
    GetParam().Apply(copy);
    copy.Calculate(0);
    EXPECT_EQ(Snapshot(set_), original);
    EXPECT_NE(Snapshot(copy), original);
  }
  // And the other way round: editing the source leaves the copy.
  TTermijnConfig copy(set_);
  GetParam().Apply(set_);
  set_.Calculate(0);
  EXPECT_EQ(Snapshot(copy), original);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, CopyIndependenceTest,
    ::testing::Values(
        TEdit{"InsertInTheMiddle", [](TTermijnConfig& s) { s.InsertInstallment("M", {}, 0, 9, Day(2008, 1, 3)); }},
        TEdit{"DeleteTheFirst", [](TTermijnConfig& s) { s.DeleteInstallmentSlot(1); }},
        TEdit{"ChangeAnAmount", [](TTermijnConfig& s) { s.ChangeInstallment(150, "", OneAmount(1, 7), 1, 0); }},
        TEdit{"MoveToTheEnd",
              [](TTermijnConfig& s) {
                TComponentAmounts keep;
                keep.fill(std::numeric_limits<double>::infinity());
                s.ChangeInstallment(3, "", keep, std::numeric_limits<double>::infinity(), Day(2013, 1, 1));
              }},
        TEdit{"Expand", [](TTermijnConfig& s) { s.Expand(70); }},
        TEdit{"DropComponentAmounts", [](TTermijnConfig& s) { s.DropComponentAmounts(1); }},
        TEdit{"SwitchMethod", [](TTermijnConfig& s) { s.SetSimplified(1); }},
        TEdit{"Clear", [](TTermijnConfig& s) { s.Clear(); }}),
    [](const ::testing::TestParamInfo<TEdit>& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace pc
