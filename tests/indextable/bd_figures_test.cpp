#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "indextable/bd_config.h"
#include "table_fixture.h"

namespace pc {
namespace {

using testing::Component;
using testing::Key;
using testing::Set;
using R = TIndexResult;

constexpr int kOwn = 1, kLinear = 2, kPercent = 3, kFlat = 4, kEmpty = 5, kLimits = 6;

// Period January..June 2008 with one component per kind of figure.
class LookupTable : public ::testing::Test {
 protected:
  void SetUp() override {
    t = testing::TableJanToJun2008();
    t.AddComponent(Component("Eigen"));
    t.AddComponent(Component("Lineair", 0, trend_kind::kFromFigures));
    t.AddComponent(Component("Procent", 0, trend_kind::kFixedPercentage, 3));
    t.AddComponent(Component("Vlak", 0, trend_kind::kFixedPercentage, 0));
    t.AddComponent(Component("Leeg", 0, trend_kind::kFromFigures));
    t.AddComponent(Component("Grenzen"));
    for (int p : {kOwn, kLinear}) {
      Set(t, p, 2008, 1, 100);
      Set(t, p, 2008, 4, 106);
    }
    Set(t, kPercent, 2008, 2, 200);
    Set(t, kFlat, 2008, 3, 50);
    Set(t, kLimits, 2008, 1, 99999.99);
    Set(t, kLimits, 2008, 6, 0.01);
  }
  TBDConfig t{nullptr, 2012};
};

TEST_F(LookupTable, FiguresAndCodesForEveryKind) {
  struct Case {
    int position;
    int year, month;
    double figure;
    R code;
  };
  const int k2100 = (2100 - 2008) * 12 + 8;  // months from April 2008 to December 2100
  const Case cases[] = {
      // own figures carried forward inside the period, walked back outside
      {kOwn, 2008, 1, 100, R::Own},          {kOwn, 2008, 3, 100, R::CarriedForward},
      {kOwn, 2008, 4, 106, R::Own},          {kOwn, 2008, 6, 106, R::CarriedForward},
      {kOwn, 2007, 12, 0, R::WalkedBack},    {kOwn, 2008, 7, 106, R::WalkedBack},
      {kOwn, 2100, 12, 106, R::WalkedBack},  {kOwn, 1981, 1, 0, R::WalkedBack},
      // linear trend from the figures: step (106 - 100) / 4
      {kLinear, 2008, 3, 100, R::CarriedForward}, {kLinear, 2008, 5, 107.5, R::Trend},
      {kLinear, 2008, 6, 109, R::Trend},     {kLinear, 2008, 7, 110.5, R::Trend},
      {kLinear, 2100, 12, 106 + 1.5 * k2100, R::Trend}, {kLinear, 2007, 12, 0, R::WalkedBack},
      // fixed yearly percentage: 3 / 12 index points a month
      {kPercent, 2008, 1, 0, R::WalkedBack}, {kPercent, 2008, 2, 200, R::Own},
      {kPercent, 2008, 3, 200.25, R::Trend}, {kPercent, 2009, 2, 203, R::Trend},
      {kPercent, 2100, 12, 200 + 0.25 * (k2100 + 2), R::Trend},
      // percentage 0 repeats the last figure up to 2100, marked as trend
      {kFlat, 2008, 3, 50, R::Own},          {kFlat, 2008, 4, 50, R::Trend},
      {kFlat, 2100, 12, 50, R::Trend},       {kFlat, 2008, 2, 0, R::WalkedBack},
      // no figures at all
      {kEmpty, 2008, 3, 0, R::WalkedBack},   {kEmpty, 2100, 12, 0, R::WalkedBack},
      // limits of the figure range
      {kLimits, 2008, 1, 99999.99, R::Own},  {kLimits, 2008, 5, 99999.99, R::CarriedForward},
      {kLimits, 2008, 6, 0.01, R::Own},      {kLimits, 2009, 6, 0.01, R::WalkedBack},
      // empty position
      {7, 2008, 1, 0, R::WalkedBack},
  };
  for (const Case& c : cases) {
    const TIndexLookup l = t.GetIndex(Key(c.year, c.month), c.position);
    EXPECT_NEAR(l.Figure, c.figure, 1e-9) << c.position << ' ' << c.year << '-' << c.month;
    EXPECT_EQ(l.Code, c.code) << c.position << ' ' << c.year << '-' << c.month;
  }
}

TEST_F(LookupTable, BadKeysAndPositionsGiveNothing) {
  const TMonthKey bad[] = {0, MakeMonthKey(28, 0), MakeMonthKey(28, 13), MakeMonthKey(0, 5),
                           MakeMonthKey(121, 1), 0xFFFF};
  for (TMonthKey key : bad) {
    const TIndexLookup l = t.GetIndex(key, kOwn);
    EXPECT_EQ(l.Figure, 0) << key;
    EXPECT_EQ(l.Code, R::WalkedBack) << key;
  }
  for (int position : {0, -1, 7, 50, 51, 256}) {
    EXPECT_EQ(t.GetIndex(Key(2008, 1), position).Figure, 0) << position;
  }
}

TEST_F(LookupTable, CarryRangeAndDependents) {
  const int slot = t.SlotAt(kOwn);
  EXPECT_EQ(t.FirstFigure(slot), Key(2008, 1));
  EXPECT_EQ(t.RangeEnd(slot), Key(2008, 6));
  EXPECT_EQ(t.Dependents(slot, Key(2008, 1)), (std::vector<TMonthKey>{Key(2008, 2), Key(2008, 3)}));
  EXPECT_EQ(t.Dependents(slot, Key(2008, 4)), (std::vector<TMonthKey>{Key(2008, 5), Key(2008, 6)}));
  EXPECT_TRUE(t.IsCarriedForward(kOwn, 2));
  EXPECT_FALSE(t.IsCarriedForward(kOwn, 1));
  EXPECT_FALSE(t.IsEmptyMonth(kOwn, 2));
  EXPECT_TRUE(t.IsEmptyMonth(kPercent, 1));
  EXPECT_EQ(t.FirstFigure(t.SlotAt(kEmpty)), 0);
  EXPECT_EQ(t.RangeEnd(t.SlotAt(kEmpty)), 0);
  // The worked example's trend months still name April as their carrier.
  EXPECT_EQ(t.Cell(t.SlotAt(kLinear), Key(2008, 5)).CarriedFrom, Key(2008, 4));
  EXPECT_TRUE(t.HasTrendFigures());
}

TEST_F(LookupTable, SettingAndClearingFigures) {
  // 0 on an empty month changes nothing.
  EXPECT_FALSE(t.SetFigure(kPercent, 1, false, 0));
  // The same value again changes nothing; another value does.
  EXPECT_FALSE(Set(t, kOwn, 2008, 1, 100));
  EXPECT_TRUE(Set(t, kOwn, 2008, 1, 101));
  EXPECT_DOUBLE_EQ(t.GetIndex(Key(2008, 2), kOwn).Figure, 101);
  // A figure on a carried month splits the carry.
  EXPECT_TRUE(Set(t, kOwn, 2008, 2, 102));
  EXPECT_EQ(t.GetIndex(Key(2008, 3), kOwn).Figure, 102);
  EXPECT_EQ(t.Dependents(t.SlotAt(kOwn), Key(2008, 1)), std::vector<TMonthKey>{});
  // Clearing it lets January carry again.
  EXPECT_TRUE(Set(t, kOwn, 2008, 2, 0));
  EXPECT_EQ(t.GetIndex(Key(2008, 3), kOwn).Figure, 101);
  // A trend figure counts as empty: setting over it stores an own figure and
  // moves the trend on.
  EXPECT_TRUE(Set(t, kLinear, 2008, 5, 110));
  EXPECT_EQ(t.GetIndex(Key(2008, 5), kLinear).Code, R::Own);
  EXPECT_NEAR(t.GetIndex(Key(2008, 6), kLinear).Figure, 110 + 10.0 / 5, 1e-9);
  // Clearing the only figure leaves no carry range and every month empty.
  EXPECT_TRUE(Set(t, kFlat, 2008, 3, 0));
  EXPECT_EQ(t.FirstFigure(t.SlotAt(kFlat)), 0);
  for (int row = 1; row <= t.MonthCount(); ++row) EXPECT_TRUE(t.IsEmptyMonth(kFlat, row));
  EXPECT_EQ(t.GetIndex(Key(2050, 1), kFlat).Figure, 0);
}

TEST_F(LookupTable, BadFiguresAndRowsChangeNothing) {
  const TBDConfig before = t;
  const double bad[] = {-0.01, 100000, 99999.991, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity()};
  for (double v : bad) EXPECT_FALSE(t.SetFigure(kOwn, 1, false, v)) << v;
  for (int row : {0, -1, 7, 1441}) EXPECT_FALSE(t.SetFigure(kOwn, row, false, 5)) << row;
  for (int position : {0, 7, 51}) EXPECT_FALSE(t.SetFigure(position, 1, false, 5)) << position;
  t.SetCellValue(t.SlotAt(kOwn), Key(2008, 2), -3);
  t.SetCellValue(t.SlotAt(kOwn), 0, 5);
  t.SetCellValue(0, Key(2008, 2), 5);
  t.SetCellValue(51, Key(2008, 2), 5);
  for (int i = 0; i < kMonthCount; ++i) {
    ASSERT_EQ(t.GetIndex(KeyOfMonthIndex(i), kOwn).Figure,
              before.GetIndex(KeyOfMonthIndex(i), kOwn).Figure);
  }
}

TEST(Trend, StaysInsideTheFigureRange) {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("Dalend", 0, trend_kind::kFromFigures));
  t.AddComponent(Component("Stijgend", 0, trend_kind::kFromFigures));
  t.AddComponent(Component("Negatief", 0, trend_kind::kFixedPercentage, -600));
  Set(t, 1, 2008, 1, 100);
  Set(t, 1, 2008, 2, 50);  // step -25
  Set(t, 2, 2008, 1, 99000);
  Set(t, 2, 2008, 2, 99999.99);
  Set(t, 3, 2008, 1, 120);  // step -50
  EXPECT_EQ(t.GetIndex(Key(2008, 3), 1).Figure, 25);
  EXPECT_EQ(t.GetIndex(Key(2008, 3), 1).Code, R::Trend);
  // A falling trend holds at its last figure above 0.
  EXPECT_EQ(t.GetIndex(Key(2008, 4), 1).Figure, 25);
  EXPECT_EQ(t.GetIndex(Key(2008, 4), 1).Code, R::Trend);
  EXPECT_EQ(t.GetIndex(Key(2090, 4), 1).Figure, 25);
  EXPECT_EQ(t.GetIndex(Key(2008, 3), 2).Figure, 99999.99);
  EXPECT_EQ(t.GetIndex(Key(2100, 12), 2).Figure, 99999.99);
  EXPECT_EQ(t.GetIndex(Key(2008, 2), 3).Figure, 70);
  EXPECT_EQ(t.GetIndex(Key(2008, 3), 3).Figure, 20);
  EXPECT_EQ(t.GetIndex(Key(2008, 6), 3).Figure, 20);
  EXPECT_EQ(t.GetIndex(Key(2100, 12), 3).Code, R::Trend);
  for (int i = 0; i < kMonthCount; ++i) {
    for (int p = 1; p <= 3; ++p) {
      const double f = t.GetIndex(KeyOfMonthIndex(i), p).Figure;
      ASSERT_GE(f, 0);
      ASSERT_LE(f, kMaxFigure);
    }
  }
}

TEST(Trend, SingleFigureRepeatsAndLastMonthHasNoTrend) {
  TBDConfig t(nullptr, 2012);
  t.SetPeriodStart(kFirstMonthKey);
  t.SetPeriodEnd(kLastMonthKey);
  t.RebuildMonthList();
  ASSERT_EQ(t.MonthCount(), 1440);
  t.AddComponent(Component("Een", 0, trend_kind::kFromFigures));
  t.AddComponent(Component("Eind", 0, trend_kind::kFromFigures));
  EXPECT_TRUE(t.SetFigure(1, 1, false, 80));        // January 1981
  EXPECT_TRUE(t.SetFigure(2, 1440, false, 90));     // December 2100
  EXPECT_EQ(t.GetIndex(kLastMonthKey, 1).Figure, 80);
  EXPECT_EQ(t.GetIndex(kLastMonthKey, 1).Code, R::Trend);
  EXPECT_EQ(t.GetIndex(kLastMonthKey, 2).Code, R::Own);
  // Walking back from November 2100 passes January 1981 without a figure.
  EXPECT_EQ(t.GetIndex(MakeMonthKey(120, 11), 2).Figure, 0);
  EXPECT_EQ(t.GetIndex(MakeMonthKey(120, 11), 2).Code, R::WalkedBack);
  EXPECT_EQ(t.GetIndex(kFirstMonthKey, 1).Code, R::Own);
}

// Repaints see the trend already recomputed.
class CheckingPainter : public TIndexGridPainter {
 public:
  explicit CheckingPainter(const TBDConfig*& table) : table_(table) {}
  void RefreshColumn(int position) override {
    positions.push_back(position);
    trendAtPaint.push_back(table_->GetIndex(Key(2008, 6), position).Code == R::Trend);
  }
  std::vector<int> positions;
  std::vector<bool> trendAtPaint;

 private:
  const TBDConfig*& table_;
};

TEST(SetFigure, RepaintsTheColumnWithItsNewTrend) {
  const TBDConfig* table = nullptr;
  CheckingPainter painter(table);
  TBDConfig t(&painter, 2012);
  table = &t;
  t.SetPeriodStart(Key(2008, 1));
  t.SetPeriodEnd(Key(2008, 6));
  t.RebuildMonthList();
  t.AddComponent(Component("A"));
  t.AddComponent(Component("B", 0, trend_kind::kFromFigures));
  EXPECT_TRUE(t.SetFigure(2, 1, true, 100));
  EXPECT_FALSE(t.SetFigure(2, 1, false, 100));
  EXPECT_EQ(painter.positions, std::vector<int>{2});
  EXPECT_EQ(painter.trendAtPaint, std::vector<bool>{true});
}

TEST(Period, ShrinkingErasesWhatCountFiguresOutsideCounted) {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("A"));
  t.AddComponent(Component("B", 0, trend_kind::kFromFigures));
  Set(t, 1, 2008, 1, 100);
  Set(t, 1, 2008, 4, 106);
  Set(t, 2, 2008, 2, 50);
  Set(t, 2, 2008, 3, 51);  // trend from April on, 0,50 a month
  // January of A and June's trend figure of B lie outside February..May.
  EXPECT_EQ(t.CountFiguresOutside(Key(2008, 2), Key(2008, 5)), 2);
  EXPECT_EQ(t.CountFiguresOutside(Key(2008, 1), Key(2008, 6)), 0);
  EXPECT_EQ(t.CountFiguresOutside(Key(2008, 4), Key(2008, 4)), 5);  // A: Jan; B: Feb, Mar, May, Jun
  // The document's period change.
  t.ResetRanges(false);
  t.SetPeriodStart(Key(2008, 2));
  t.SetPeriodEnd(Key(2008, 5));
  t.RebuildMonthList();
  t.RebuildAllCarryForward();
  EXPECT_EQ(t.MonthCount(), 4);
  EXPECT_EQ(t.MonthAt(1), Key(2008, 2));
  EXPECT_EQ(t.GetIndex(Key(2008, 1), 1).Figure, 0);
  EXPECT_EQ(t.GetIndex(Key(2008, 2), 1).Figure, 0);  // January no longer carries
  EXPECT_EQ(t.GetIndex(Key(2008, 5), 1).Code, R::CarriedForward);
  // Trend figures beyond the new end stay erased until the next trend run.
  EXPECT_EQ(t.GetIndex(Key(2008, 6), 2).Code, R::WalkedBack);
  EXPECT_EQ(t.GetIndex(Key(2008, 6), 2).Figure, 52);
  EXPECT_EQ(t.CountFiguresOutside(Key(2008, 2), Key(2008, 5)), 0);
  t.ComputeTrend(0);
  EXPECT_EQ(t.GetIndex(Key(2008, 6), 2).Code, R::Trend);
}

// The document's period change: carry rebuilt, trend not recomputed.
void ChangePeriod(TBDConfig& t, TMonthKey start, TMonthKey end) {
  t.ResetRanges(false);
  t.SetPeriodStart(start);
  t.SetPeriodEnd(end);
  t.RebuildMonthList();
  t.RebuildAllCarryForward();
}

TEST(Period, TrendFiguresInsideThePeriodCarryWhenItGrowsAgain) {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("B", 0, trend_kind::kFromFigures));
  Set(t, 1, 2008, 2, 50);
  Set(t, 1, 2008, 3, 51);  // trend from April on, 0,50 a month
  ChangePeriod(t, Key(2008, 2), Key(2008, 5));
  ChangePeriod(t, Key(2008, 2), Key(2008, 6));
  // May's trend figure stood when the carry was built: June carries it.
  EXPECT_EQ(t.GetIndex(Key(2008, 5), 1).Code, R::Trend);
  EXPECT_EQ(t.GetIndex(Key(2008, 6), 1).Code, R::CarriedForward);
  EXPECT_EQ(t.GetIndex(Key(2008, 6), 1).Figure, 52);
  EXPECT_EQ(t.GetIndex(Key(2009, 6), 1).Figure, 52);
  // Dropping the trend leaves no month carrying a figure that is gone.
  TComponentValues plain = Component("B");
  ASSERT_TRUE(t.ChangeComponent(1, plain));
  for (int month = 3; month <= 6; ++month) {
    EXPECT_EQ(t.GetIndex(Key(2008, month), 1).Figure, 51) << month;
    EXPECT_EQ(t.GetIndex(Key(2008, month), 1).Code, month == 3 ? R::Own : R::CarriedForward) << month;
  }
}

TEST(Period, InvalidOrReversedBoundsEraseNothing) {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("A"));
  Set(t, 1, 2008, 1, 100);
  t.SetPeriodStart(0);
  t.SetPeriodEnd(MakeMonthKey(121, 1));
  t.SetPeriodStart(MakeMonthKey(28, 13));
  EXPECT_EQ(t.PeriodStart(), Key(2008, 1));
  EXPECT_EQ(t.PeriodEnd(), Key(2008, 6));
  t.SetPeriodStart(Key(2008, 6));
  t.SetPeriodEnd(Key(2008, 1));
  t.RebuildMonthList();
  EXPECT_EQ(t.MonthCount(), 0);
  EXPECT_EQ(t.MonthAt(1), 0);
  EXPECT_FALSE(t.SetFigure(1, 1, false, 5));
  t.SetPeriodStart(Key(2008, 1));
  t.SetPeriodEnd(Key(2008, 6));
  t.RebuildMonthList();
  EXPECT_EQ(t.GetIndex(Key(2008, 1), 1).Figure, 100);
}

TEST(Loader, RawValuesGiveTheSameTableAsTypedOnes) {
  TBDConfig typed = testing::TableJanToJun2008();
  typed.AddComponent(Component("A", 0, trend_kind::kFromFigures));
  Set(typed, 1, 2008, 1, 100);
  Set(typed, 1, 2008, 4, 106);

  TBDConfig loaded = testing::TableJanToJun2008();
  // Figures may be set before the component is added.
  loaded.SetCellValue(1, Key(2008, 1), 100);
  loaded.AddComponent(Component("A", 0, trend_kind::kFromFigures), 1, 1);
  loaded.SetCellValue(1, Key(2008, 4), 106);
  loaded.SetCellValue(1, Key(2007, 5), 90);  // outside the period: erased
  loaded.SetCellValue(1, Key(2009, 5), 95);  // outside the period: erased
  loaded.ResetRanges(false);
  loaded.RebuildMonthList();
  loaded.RebuildAllCarryForward();
  loaded.ComputeTrend(0);
  for (int i = 0; i < kMonthCount; ++i) {
    const TIndexLookup a = typed.GetIndex(KeyOfMonthIndex(i), 1);
    const TIndexLookup b = loaded.GetIndex(KeyOfMonthIndex(i), 1);
    ASSERT_EQ(a.Figure, b.Figure) << i;
    ASSERT_EQ(a.Code, b.Code) << i;
  }
}

TEST(Loader, LookupsBetweenRawWritesWalkBackCorrectly) {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("A"));
  t.SetCellValue(1, Key(2008, 2), 100);
  // Without carry references every later month walks back to February.
  EXPECT_EQ(t.GetIndex(Key(2008, 5), 1).Figure, 100);
  EXPECT_EQ(t.GetIndex(Key(2008, 5), 1).Code, R::WalkedBack);
  EXPECT_EQ(t.GetIndex(Key(2100, 12), 1).Figure, 100);
  EXPECT_EQ(t.GetIndex(Key(2008, 1), 1).Figure, 0);
  t.SetCellValue(1, Key(2008, 4), 0);  // clearing a raw month is allowed
  t.SetCellValue(1, Key(2008, 2), 0);
  EXPECT_EQ(t.GetIndex(Key(2008, 5), 1).Figure, 0);
}

}  // namespace
}  // namespace pc
