#include <gtest/gtest.h>

#include <vector>

#include "indextable/bd_config.h"
#include "table_fixture.h"

namespace pc {
namespace {

using testing::Component;
using testing::Key;
using testing::Set;

// Every look-up of every position and month, to compare whole tables.
std::vector<TIndexLookup> AllLookups(const TBDConfig& t) {
  std::vector<TIndexLookup> all;
  for (int p = 1; p <= t.Count(); ++p) {
    for (int i = 0; i < kMonthCount; ++i) all.push_back(t.GetIndex(KeyOfMonthIndex(i), p));
  }
  return all;
}

bool SameLookups(const TBDConfig& a, const TBDConfig& b) {
  const auto x = AllLookups(a);
  const auto y = AllLookups(b);
  if (x.size() != y.size()) return false;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (x[i].Figure != y[i].Figure || x[i].Code != y[i].Code) return false;
  }
  return true;
}

TBDConfig Sample() {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("A", 40, trend_kind::kFromFigures));
  t.AddComponent(Component("B", 60));
  t.AddComponent(Component("C", 0, trend_kind::kFixedPercentage, 2));
  Set(t, 1, 2008, 1, 100);
  Set(t, 1, 2008, 3, 104);
  Set(t, 2, 2008, 2, 80);
  Set(t, 3, 2008, 5, 120);
  t.SetHighlightMonth(Key(2008, 2));
  t.SetTableKind(table_kind::kDownloaded);
  return t;
}

// Each edit is applied to one of two equal tables; the other must not move.
struct Edit {
  const char* what;
  void (*apply)(TBDConfig&);
};
const Edit kEdits[] = {
    {"set figure", [](TBDConfig& t) { Set(t, 2, 2008, 4, 85); }},
    {"clear figure", [](TBDConfig& t) { Set(t, 1, 2008, 1, 0); }},
    {"change trend", [](TBDConfig& t) { t.ChangeComponent(1, Component("A", 40)); }},
    {"delete", [](TBDConfig& t) { t.DeleteComponent(1); }},
    {"add", [](TBDConfig& t) { t.AddComponent(Component("D")); }},
    {"swap", [](TBDConfig& t) { t.SwapPositions(1, 3); }},
    {"clear figures", [](TBDConfig& t) { t.ClearFigures(); }},
    {"clear", [](TBDConfig& t) { t.Clear(); }},
    {"raw value", [](TBDConfig& t) { t.SetCellValue(2, Key(2008, 6), 99); }},
    {"period", [](TBDConfig& t) {
       t.ResetRanges(false);
       t.SetPeriodStart(Key(2008, 3));
       t.RebuildMonthList();
       t.RebuildAllCarryForward();
     }},
    {"wipe", [](TBDConfig& t) { t.ResetRanges(true); }},
    {"clear trend", [](TBDConfig& t) { t.ClearTrend(0); }},
};

TEST(Copies, ChangingACopyNeverChangesItsSource) {
  for (const Edit& e : kEdits) {
    const TBDConfig reference = Sample();
    TBDConfig source = Sample();
    TBDConfig copy = source;
    e.apply(copy);
    EXPECT_TRUE(SameLookups(source, reference)) << e.what;
    EXPECT_EQ(source.Count(), reference.Count()) << e.what;
    EXPECT_EQ(source.GetComponentName(1), "A") << e.what;
    EXPECT_EQ(source.MonthCount(), 6) << e.what;
  }
}

TEST(Copies, ChangingTheSourceNeverChangesACopy) {
  for (const Edit& e : kEdits) {
    const TBDConfig reference = Sample();
    TBDConfig source = Sample();
    TBDConfig copy;
    copy.CopyFrom(source);
    e.apply(source);
    EXPECT_TRUE(SameLookups(copy, reference)) << e.what;
    EXPECT_EQ(copy.HasTrendFigures(), reference.HasTrendFigures()) << e.what;
  }
}

TEST(Copies, CopyFromTakesEverything) {
  const TBDConfig source = Sample();
  TBDConfig copy(nullptr, 1990);
  copy.AddComponent(Component("Oud"));
  copy.CopyFrom(source);
  EXPECT_TRUE(SameLookups(copy, source));
  EXPECT_EQ(copy.Count(), 3);
  EXPECT_EQ(copy.PeriodStart(), Key(2008, 1));
  EXPECT_EQ(copy.PeriodEnd(), Key(2008, 6));
  EXPECT_EQ(copy.MonthCount(), 6);
  EXPECT_EQ(copy.HighlightMonth(), Key(2008, 2));
  EXPECT_EQ(copy.TableKind(), table_kind::kDownloaded);
  EXPECT_EQ(copy.FirstFigure(1), Key(2008, 1));
  EXPECT_EQ(copy.Dependents(1, Key(2008, 1)), std::vector<TMonthKey>{Key(2008, 2)});
  EXPECT_EQ(copy.FindComponent("Oud"), 0);
  copy.CopyFrom(copy);  // copying itself changes nothing
  EXPECT_TRUE(SameLookups(copy, source));
}

TEST(Copies, MovesCarryTheWholeTable) {
  const TBDConfig reference = Sample();
  TBDConfig source = Sample();
  TBDConfig moved(std::move(source));
  EXPECT_TRUE(SameLookups(moved, reference));
  TBDConfig assigned(nullptr, 2012);
  assigned = std::move(moved);
  EXPECT_TRUE(SameLookups(assigned, reference));
  // A moved-from table stays usable.
  moved = Sample();
  Set(moved, 2, 2008, 4, 85);
  EXPECT_TRUE(SameLookups(assigned, reference));
  EXPECT_EQ(moved.GetIndex(Key(2008, 4), 2).Figure, 85);
}

TEST(Copies, RawWritesBeforeACopyStayPrivate) {
  TBDConfig source = Sample();
  source.SetCellValue(2, Key(2008, 6), 90);  // results of slot 2 now out of date
  const TBDConfig copy = source;
  const auto before = AllLookups(copy);
  // A later operation on the source brings its results up to date without
  // touching the block the copy still reads.
  EXPECT_FALSE(source.SetFigure(2, 1, false, 0));
  source.SetCellValue(2, Key(2008, 6), 91);
  source.RebuildAllCarryForward();
  const auto after = AllLookups(copy);
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i) {
    ASSERT_EQ(before[i].Figure, after[i].Figure) << i;
  }
  EXPECT_EQ(copy.GetIndex(Key(2008, 6), 2).Figure, 90);
  EXPECT_EQ(source.GetIndex(Key(2008, 6), 2).Figure, 91);
}

TEST(Copies, AHistoryOfCopiesKeepsEveryStep) {
  // An undo history: each step is a copy changed once.
  std::vector<TBDConfig> history;
  history.push_back(Sample());
  for (int step = 1; step < 100; ++step) {
    TBDConfig next = history.back();
    ASSERT_TRUE(next.SetFigure(2, 1 + step % 6, false, 200 + step));
    history.push_back(std::move(next));
  }
  for (int step = 1; step < 100; ++step) {
    EXPECT_DOUBLE_EQ(history[static_cast<std::size_t>(step)]
                         .GetIndex(Key(2008, 1 + step % 6), 2)
                         .Figure,
                     200 + step);
  }
  EXPECT_EQ(history[0].GetIndex(Key(2008, 1), 2).Figure, 0);
  EXPECT_EQ(history[0].GetIndex(Key(2008, 2), 2).Figure, 80);
}

}  // namespace
}  // namespace pc
