// The calculation-method setting: its texts, the choice dialog's state and
// what applying a choice changes.

#include <gtest/gtest.h>

#include "calc_fixture.h"
#include "installments/calc_method.h"

namespace pc {
namespace {

using testing_support::Day;
using testing_support::TTableBuilder;

TEST(CalcMethodTextTest, NamesAndInformationPages) {
  EXPECT_STREQ(CalculationMethodName(0), "Offici\xEBle berekeningsmethode");
  EXPECT_STREQ(CalculationMethodName(1), "Vereenvoudigde berekeningsmethode");
  EXPECT_STREQ(CalculationMethodName(5), "Offici\xEBle berekeningsmethode");
  EXPECT_EQ(CalculationMethodInfoUrl("http://example.test/", 0), "http://example.test/BerekeningsmethodeOfficieel");
  EXPECT_EQ(CalculationMethodInfoUrl("http://example.test/", 1),
            "http://example.test/BerekeningsmethodeVereenvoudigd");
}

TEST(CalcMethodChoiceTest, StartsAtTheProjectsMethodAndFlipsBack) {
  TCalcMethodChoice choice(1);
  EXPECT_EQ(choice.PanelColour(1), kPanelSelectedColour);
  EXPECT_EQ(choice.PanelColour(0), kPanelPlainColour);
  EXPECT_EQ(choice.Result(true), 1);
  choice.Flip();
  EXPECT_EQ(choice.Selected(), 0);
  choice.Flip();
  EXPECT_EQ(choice.Selected(), 1);
  EXPECT_EQ(choice.Result(false), -1);
  choice.SetHover(0);
  EXPECT_EQ(choice.PanelColour(0), kPanelHoverColour);
  EXPECT_EQ(choice.PanelColour(1), kPanelSelectedColour);
  choice.SetHover(-1);
  EXPECT_EQ(choice.PanelColour(0), kPanelPlainColour);
}

class ApplyMethodTest : public ::testing::Test {
 protected:
  ApplyMethodTest() : tables_(2008, 2008) {
    position_ = tables_.Add("Lonen", 40);
    tables_.Figures(position_, {{2008, 1, 100}, {2008, 2, 102}, {2008, 3, 103.5}});
    set_.SetIndexTable(&tables_.Table());
    set_.SetProjectDates(Day(2008, 1, 15), Day(2007, 6, 1), Day(2008, 2, 1));
    set_.InsertInstallment("T", {}, 0, 10000, Day(2008, 3, 15));
  }
  TTableBuilder tables_;
  TTermijnConfig set_;
  int position_ = 0;
};

TEST_F(ApplyMethodTest, CancelledOrUnchangedChoicesChangeNothing) {
  set_.SetCurrentComponent(position_);
  set_.Calculate(0);
  const double before = set_.CorrectionTotal(0);
  for (int chosen : {-1, 0, 2}) {
    EXPECT_FALSE(ApplyCalculationMethod(set_, chosen)) << chosen;
    EXPECT_FALSE(set_.Simplified());
    EXPECT_EQ(set_.CorrectionTotal(0), before);
  }
}

TEST_F(ApplyMethodTest, ANewMethodRecalculatesWhenAComponentIsShown) {
  set_.SetCurrentComponent(position_);
  set_.Calculate(0);
  EXPECT_NEAR(set_.CorrectionTotal(0), 100.4545, 1e-4);
  ASSERT_TRUE(ApplyCalculationMethod(set_, 1));
  EXPECT_EQ(set_.Method(), TCalcMethod::Simplified);
  EXPECT_NEAR(set_.CorrectionTotal(0), 140.00, 1e-9);
  ASSERT_TRUE(ApplyCalculationMethod(set_, 0));
  EXPECT_NEAR(set_.CorrectionTotal(0), 100.4545, 1e-4);
}

TEST_F(ApplyMethodTest, WithoutACurrentComponentOnlyTheSettingChanges) {
  set_.Calculate(0);
  const double before = set_.CorrectionTotal(0);
  ASSERT_TRUE(ApplyCalculationMethod(set_, 1));
  EXPECT_TRUE(set_.Simplified());
  EXPECT_EQ(set_.CorrectionTotal(0), before);
}

}  // namespace
}  // namespace pc
