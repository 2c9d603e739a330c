#include <gtest/gtest.h>

#include "indextable/bd_config.h"
#include "table_fixture.h"

namespace pc {
namespace {

using testing::Component;
using testing::Key;
using testing::Set;

// Checks the invariants that bind Count, positions, Order and names.
void ExpectConsistent(const TBDConfig& t) {
  int used = 0;
  for (int slot = 1; slot <= kMaxComponents; ++slot) {
    const TBDRecord& r = t.RecordOfSlot(slot);
    if (r.Name.empty()) continue;
    ++used;
    ASSERT_GE(r.Position, 1);
    ASSERT_LE(r.Position, t.Count());
    EXPECT_EQ(t.SlotAt(r.Position), slot);
  }
  EXPECT_EQ(used, t.Count());
  for (int p = t.Count() + 1; p <= kMaxComponents; ++p) EXPECT_EQ(t.SlotAt(p), 0) << p;
}

TEST(Components, CreateGivesAnEmptyTableWithTheDefaultPeriod) {
  const TBDConfig t(nullptr, 2012);
  EXPECT_EQ(t.Count(), 0);
  EXPECT_EQ(t.PeriodStart(), Key(2010, 1));
  EXPECT_EQ(t.PeriodEnd(), Key(2013, 12));
  EXPECT_EQ(t.MonthCount(), 48);
  EXPECT_EQ(t.MonthAt(1), Key(2010, 1));
  EXPECT_EQ(t.MonthAt(48), Key(2013, 12));
  EXPECT_EQ(t.MonthAt(0), 0);
  EXPECT_EQ(t.MonthAt(49), 0);
  EXPECT_EQ(t.FreeSlot(), 1);
  EXPECT_EQ(t.NextPosition(), 1);
  // A clock at the edge of the supported years still gives a valid period.
  const TBDConfig late(nullptr, 2100);
  EXPECT_EQ(late.PeriodStart(), Key(2098, 1));
  EXPECT_EQ(late.PeriodEnd(), Key(2100, 12));
  const TBDConfig early(nullptr, 1970);
  EXPECT_EQ(early.PeriodStart(), Key(1981, 1));
  EXPECT_EQ(early.PeriodEnd(), Key(1981, 12));
}

TEST(Components, FiftyFillTheTableAndTheNextIsRefused) {
  TBDConfig t(nullptr, 2012);
  for (int i = 1; i <= 50; ++i) ASSERT_EQ(t.AddComponent(Component("C" + std::to_string(i))), i);
  EXPECT_EQ(t.Count(), 50);
  EXPECT_EQ(t.FreeSlot(), 0);
  EXPECT_EQ(t.NextPosition(), 0);
  const TBDConfig before = t;
  EXPECT_EQ(t.AddComponent(Component("Extra")), 0);
  EXPECT_EQ(t.Count(), 50);
  EXPECT_EQ(t.FindComponent("Extra"), 0);
  ExpectConsistent(t);
  EXPECT_EQ(t.GetComponentName(50), before.GetComponentName(50));
}

TEST(Components, AddStoresTheValuesCutToSize) {
  TBDConfig t(nullptr, 2012);
  TComponentValues v = Component("Een naam die veel te lang is voor een kolom", 35.5, 2, 3);
  v.StartRule = start_rule::kFixedDate;
  v.StartDate = EncodeDate(2008, 3, 5) + 0.75;
  const int slot = t.AddComponent(v);
  ASSERT_EQ(slot, 1);
  const TBDRecord& r = t.GetComponent(1);
  EXPECT_EQ(r.Name, "Een naam die veel te lang");
  EXPECT_EQ(r.Name.size(), 25u);
  EXPECT_DOUBLE_EQ(r.StartDate, EncodeDate(2008, 3, 5));
  EXPECT_EQ(r.StartRule, start_rule::kFixedDate);
  EXPECT_DOUBLE_EQ(r.Percentage, 35.5);
  EXPECT_EQ(r.TrendKind, 2);
  EXPECT_EQ(r.Position, 1);
}

TEST(Components, BadSlotsPositionsAndNamesAreRefused) {
  TBDConfig t(nullptr, 2012);
  ASSERT_EQ(t.AddComponent(Component("A")), 1);
  struct Case {
    const char* name;
    int slot;
    int position;
  };
  const Case refused[] = {
      {"", 0, 0},      // empty name
      {"B", 1, 0},     // slot in use
      {"B", 0, 1},     // position taken
      {"B", 51, 0},    {"B", -1, 0}, {"B", 0, 51}, {"B", 0, -3},
  };
  for (const Case& c : refused) {
    EXPECT_EQ(t.AddComponent(Component(c.name), c.slot, c.position), 0)
        << c.name << ' ' << c.slot << ' ' << c.position;
  }
  EXPECT_EQ(t.Count(), 1);
  ExpectConsistent(t);
  // Position or slot 0 or beyond 50 select nothing.
  for (int bad : {0, -1, 2, 51, 1000}) {
    EXPECT_EQ(t.SlotAt(bad), 0);
    EXPECT_EQ(t.GetComponentName(bad), "");
    EXPECT_FALSE(t.DeleteComponent(bad == 0 ? 0 : bad, 0));
    EXPECT_FALSE(t.ChangeComponent(bad, Component("X")));
  }
  EXPECT_FALSE(t.DeleteComponent(0, 7));  // a free slot is not deleted
  EXPECT_EQ(t.Count(), 1);
  EXPECT_FALSE(t.ChangeComponent(1, Component("")));
  EXPECT_EQ(t.GetComponentName(1), "A");
}

TEST(Components, DeletingPositionTwoOfFourMovesTheRestDownAndFreesTheSlot) {
  TBDConfig t = testing::TableJanToJun2008();
  for (const char* n : {"A", "B", "C", "D"}) t.AddComponent(Component(n));
  Set(t, 2, 2008, 1, 100);
  ASSERT_TRUE(t.DeleteComponent(2));
  EXPECT_EQ(t.Count(), 3);
  EXPECT_EQ(t.GetComponentName(1), "A");
  EXPECT_EQ(t.GetComponentName(2), "C");
  EXPECT_EQ(t.GetComponentName(3), "D");
  EXPECT_EQ(t.SlotAt(2), 3);  // identity stays with the slot
  EXPECT_EQ(t.FreeSlot(), 2);
  ExpectConsistent(t);
  // The next component takes the freed slot and the last position, without
  // any figure of the former occupant.
  EXPECT_EQ(t.AddComponent(Component("E", 0, trend_kind::kFromFigures)), 2);
  EXPECT_EQ(t.PositionOf(2), 4);
  for (int row = 1; row <= t.MonthCount(); ++row) EXPECT_TRUE(t.IsEmptyMonth(4, row));
  EXPECT_EQ(t.GetIndex(Key(2008, 3), 4).Figure, 0);
  EXPECT_EQ(t.FirstFigure(2), 0);
  EXPECT_FALSE(t.HasTrendFigures());
  ExpectConsistent(t);
}

TEST(Components, DeletingByPositionOrSlot) {
  TBDConfig t(nullptr, 2012);
  for (const char* n : {"A", "B", "C"}) t.AddComponent(Component(n));
  EXPECT_TRUE(t.DeleteComponent(0, 3));  // by slot
  EXPECT_EQ(t.Count(), 2);
  EXPECT_TRUE(t.DeleteComponent(1));
  EXPECT_EQ(t.GetComponentName(1), "B");
  EXPECT_TRUE(t.DeleteComponent(1));
  EXPECT_EQ(t.Count(), 0);
  EXPECT_FALSE(t.DeleteComponent(1));
  ExpectConsistent(t);
}

TEST(Components, FindIgnoresPlainLetterCaseOnly) {
  TBDConfig t(nullptr, 2012);
  t.AddComponent(Component("Lonen"));
  t.AddComponent(Component("Caf\xe9"));
  struct Case {
    const char* name;
    int slot;
  };
  const Case cases[] = {{"Lonen", 1}, {"LONEN", 1}, {"lOnEn", 1}, {"Lone", 0},    {"", 0},
                        {"CAF\xe9", 2}, {"CAF\xc9", 0}, {"Lonen ", 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(t.FindComponent(c.name), c.slot) << c.name;
    EXPECT_EQ(t.ComponentExists(c.name), c.slot != 0) << c.name;
  }
}

TEST(Components, ChangeWithEqualValuesKeepsTheTrendAndANewKindRecomputesIt) {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("A", 10, trend_kind::kFromFigures));
  Set(t, 1, 2008, 1, 100);
  Set(t, 1, 2008, 4, 106);
  ASSERT_DOUBLE_EQ(t.GetIndex(Key(2008, 5), 1).Figure, 107.5);

  EXPECT_FALSE(t.ChangeComponent(1, Component("A", 10, trend_kind::kFromFigures)));
  EXPECT_DOUBLE_EQ(t.GetIndex(Key(2008, 5), 1).Figure, 107.5);

  // Another trend kind: the old trend figures go, new ones come.
  EXPECT_TRUE(t.ChangeComponent(1, Component("A", 10, trend_kind::kFixedPercentage, 12)));
  EXPECT_DOUBLE_EQ(t.GetIndex(Key(2008, 5), 1).Figure, 107);
  EXPECT_EQ(t.GetIndex(Key(2008, 5), 1).Code, TIndexResult::Trend);

  // No trend: the months after April carry April again.
  EXPECT_TRUE(t.ChangeComponent(0, Component("A", 10), 1));
  EXPECT_EQ(t.GetIndex(Key(2008, 5), 1).Code, TIndexResult::CarriedForward);
  EXPECT_DOUBLE_EQ(t.GetIndex(Key(2008, 5), 1).Figure, 106);
  EXPECT_FALSE(t.HasTrendFigures());

  // Renaming into the own name in other letter case is a change.
  EXPECT_TRUE(t.ChangeComponent(1, Component("a", 10)));
  EXPECT_EQ(t.GetComponentName(1), "a");
  EXPECT_DOUBLE_EQ(t.GetIndex(Key(2008, 1), 1).Figure, 100);  // figures stay
}

TEST(Components, SwapAndMoveKeepIdentity) {
  TBDConfig t(nullptr, 2012);
  for (const char* n : {"A", "B", "C", "D"}) t.AddComponent(Component(n));
  t.SwapPositions(1, 3);
  EXPECT_EQ(t.GetComponentName(1), "C");
  EXPECT_EQ(t.GetComponentName(3), "A");
  EXPECT_EQ(t.PositionOf(1), 3);
  ExpectConsistent(t);

  struct Case {
    int from, to;
    const char* order;
  };
  const Case cases[] = {{1, 4, "BCDA"}, {4, 1, "DABC"}, {2, 3, "ACBD"}, {2, 2, "ABCD"},
                        {0, 2, "ABCD"}, {1, 5, "ABCD"}, {5, 1, "ABCD"}};
  for (const Case& c : cases) {
    TBDConfig m(nullptr, 2012);
    for (const char* n : {"A", "B", "C", "D"}) m.AddComponent(Component(n));
    m.MoveComponent(c.from, c.to);
    std::string order;
    for (int p = 1; p <= m.Count(); ++p) order += m.GetComponentName(p);
    EXPECT_EQ(order, c.order) << c.from << "->" << c.to;
    ExpectConsistent(m);
  }
  t.SwapPositions(0, 1);
  t.SwapPositions(1, 9);
  ExpectConsistent(t);
}

TEST(Components, CompactPositionsClosesGapsOfALoad) {
  TBDConfig t(nullptr, 2012);
  EXPECT_EQ(t.AddComponent(Component("B"), 4, 7), 4);
  EXPECT_EQ(t.AddComponent(Component("A"), 2, 3), 2);
  t.CompactPositions();
  EXPECT_EQ(t.GetComponentName(1), "A");
  EXPECT_EQ(t.GetComponentName(2), "B");
  ExpectConsistent(t);
}

TEST(Components, ClearRemovesComponentsAndKeepsThePeriod) {
  TBDConfig t = testing::TableJanToJun2008();
  t.AddComponent(Component("A", 0, trend_kind::kFromFigures));
  Set(t, 1, 2008, 2, 100);
  t.ClearFigures();
  EXPECT_EQ(t.Count(), 1);
  EXPECT_TRUE(t.IsEmptyMonth(1, 3));
  EXPECT_FALSE(t.HasTrendFigures());
  Set(t, 1, 2008, 2, 100);
  t.Clear();
  EXPECT_EQ(t.Count(), 0);
  EXPECT_EQ(t.PeriodStart(), Key(2008, 1));
  EXPECT_EQ(t.AddComponent(Component("B")), 1);
  EXPECT_EQ(t.GetIndex(Key(2008, 2), 1).Figure, 0);
}

TEST(Components, Captions) {
  struct Case {
    const char* name;
    bool variable;
    double percentage;
    const char* caption;
  };
  const Case cases[] = {
      {"Lonen", false, 35, "Lonen (35,00%)"},  {"Lonen", true, 35, "Lonen ( var )"},
      {"Lonen", false, 0, "Lonen"},            {"Staal", false, 12.345, "Staal (12,35%)"},
      {"Staal", false, 100, "Staal (100,00%)"}, {"X", true, 0, "X ( var )"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ComponentCaption(c.name, c.variable, c.percentage), c.caption);
  }
  TBDConfig t(nullptr, 2012);
  t.AddComponent(Component("Lonen", 35));
  EXPECT_EQ(t.ComponentCaptionAt(1), "Lonen (35,00%)");
  EXPECT_EQ(t.ComponentCaptionAt(2), "");
  EXPECT_TRUE(TakesPart(t.GetComponent(1)));
  EXPECT_FALSE(TakesPart(Component("Y")));
  EXPECT_TRUE(TakesPart(Component("Y", 0, 0, 0, true)));
}

}  // namespace
}  // namespace pc
