// Figures as the grid shows them, and their way through the clipboard.
#include "indextable/figure_clipboard.h"

#include <gtest/gtest.h>

#include <random>

#include "table_fixture.h"

namespace pc {
namespace {

using testing::Component;
using testing::Key;
using testing::Set;
using testing::TableJanToJun2008;

TEST(ReadFigureText, ReadsAsTypedOrAsADutchSpreadsheetWrites) {
  struct Case {
    const char* text;
    std::optional<double> figure;
  } cases[] = {
      {"102.5", 102.5},        {"102,5", 102.5},      {" 1 02,5 ", 102.5},  {"100,006", 100.01},
      {"100,004", 100.0},      {"123456", 99999.99},  {"-5", 0.0},          {"", 0.0},
      {" ", 0.0},              {"1.234,5", 1234.5},   {"12.345,67", 12345.67}, {"1.234.567", 99999.99},
      {"12.345.678,9", 99999.99}, {"1,234.5", std::nullopt}, {"1.23,5", std::nullopt},
      {"1.2.3", std::nullopt}, {"abc", std::nullopt}, {"12a", std::nullopt}, {"1,2,3", std::nullopt},
      {"--1", std::nullopt},   {"1,5E2", 150.0},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadFigureText(c.text), c.figure) << '"' << c.text << '"';
}

TEST(ReadPasteFields, SplitsRowsAndColumnsInsideTheArea) {
  struct Case {
    const char* name;
    std::string text;
    int columns, rows;
    std::vector<TPasteField> fields;
  } cases[] = {
      {"three by two with CR LF", "1\t2\t3\r\n4\t5\t6\r\n", 9, 9,
       {{0, 0, "1"}, {1, 0, "2"}, {2, 0, "3"}, {0, 1, "4"}, {1, 1, "5"}, {2, 1, "6"}}},
      {"CR only, no terminator", "1\t2\r3\t4", 9, 9, {{0, 0, "1"}, {1, 0, "2"}, {0, 1, "3"}, {1, 1, "4"}}},
      {"line feeds alone end rows", "1\n2\n", 9, 9, {{0, 0, "1"}, {0, 1, "2"}}},
      {"clipped to the area", "1\t2\t3\r4\t5\t6\r7\t8\t9\r", 2, 2,
       {{0, 0, "1"}, {1, 0, "2"}, {0, 1, "4"}, {1, 1, "5"}}},
      {"empty fields clear, a trailing empty field does not", "\t \r", 9, 9, {{0, 0, ""}, {1, 0, " "}}},
      {"control and high characters dropped", "1\x01" "0\xA0" "2\t", 9, 9, {{0, 0, "102"}}},
      {"nothing", "", 9, 9, {}},
  };
  for (const Case& c : cases) {
    const auto fields = ReadPasteFields(c.text, c.columns, c.rows);
    ASSERT_EQ(fields.size(), c.fields.size()) << c.name;
    for (std::size_t i = 0; i < fields.size(); ++i) {
      EXPECT_EQ(fields[i].Column, c.fields[i].Column) << c.name << " field " << i;
      EXPECT_EQ(fields[i].Row, c.fields[i].Row) << c.name << " field " << i;
      EXPECT_EQ(fields[i].Text, c.fields[i].Text) << c.name << " field " << i;
    }
  }
}

class ClipboardTable : public ::testing::Test {
 protected:
  void SetUp() override {
    t.AddComponent(Component("A", 50));
    t.AddComponent(Component("B", 50));
    t.AddComponent(Component("C", 0, trend_kind::kFixedPercentage, 12));
    Set(t, 1, 2008, 1, 100);
    Set(t, 1, 2008, 3, 103.5);
    Set(t, 2, 2008, 2, 200);
    Set(t, 3, 2008, 1, 50);
  }
  TBDConfig t = TableJanToJun2008();
};

TEST_F(ClipboardTable, ShowsOwnCarriedAndTrendFigures) {
  EXPECT_EQ(ShownFigure(t, 1, 1).State, TFigureState::Own);
  EXPECT_EQ(ShownFigure(t, 1, 2).State, TFigureState::CarriedForward);
  EXPECT_EQ(ShownFigureText(t, 1, 2), "100,00");
  EXPECT_EQ(ShownFigure(t, 2, 1).State, TFigureState::Empty);
  EXPECT_EQ(ShownFigureText(t, 2, 1), "");
  EXPECT_EQ(ShownFigure(t, 3, 2).State, TFigureState::Trend);
  EXPECT_EQ(ShownFigureText(t, 3, 2), "51,00");  // 12 a year: one point a month
  EXPECT_EQ(ShownFigure(t, 4, 1).State, TFigureState::Empty);
  EXPECT_EQ(ShownFigure(t, 1, 7).State, TFigureState::Empty);
}

TEST_F(ClipboardTable, CopiesWhatIsShownWithBlanksForEmptyCells) {
  EXPECT_EQ(CopyFiguresText(t, {1, 1, 2, 3}), "100,00\t \r100,00\t200,00\r103,50\t200,00");
  EXPECT_EQ(CopyFiguresText(t, {1, 1, 4, 1}), "");  // beyond the table
}

TEST_F(ClipboardTable, CopiedBlockPastedElsewhereArrivesInTheSameShape) {
  const std::string text = CopyFiguresText(t, {1, 1, 2, 3});
  const TPasteResult r = PasteFigures(t, text, {2, 4, 2, 3});
  EXPECT_TRUE(r.Changed);
  EXPECT_EQ(r.FieldsWritten, 6);
  EXPECT_EQ(r.LastColumn, 1);
  EXPECT_EQ(ShownFigureText(t, 2, 4), "100,00");
  EXPECT_EQ(ShownFigure(t, 2, 5).State, TFigureState::Own);  // pasted carried figure is typed now
  EXPECT_EQ(ShownFigureText(t, 2, 6), "103,50");
  // The blank went to a trend month of C: C now has own figures from row 5 on,
  // so row 4 carries January's figure.
  EXPECT_EQ(ShownFigure(t, 3, 4).State, TFigureState::CarriedForward);
  EXPECT_EQ(ShownFigureText(t, 3, 5), "200,00");
}

TEST_F(ClipboardTable, PastingWhatIsShownBackInPlaceChangesNothing) {
  const std::string text = CopyFiguresText(t, {1, 1, 3, 6});
  const TBDConfig before = t;
  const TPasteResult r = PasteFigures(t, text, {1, 1, 3, 6});
  EXPECT_FALSE(r.Changed);
  for (int p = 1; p <= 3; ++p)
    for (int row = 1; row <= 6; ++row) {
      EXPECT_EQ(ShownFigure(t, p, row).State, ShownFigure(before, p, row).State) << p << "/" << row;
      EXPECT_EQ(ShownFigure(t, p, row).Figure, ShownFigure(before, p, row).Figure) << p << "/" << row;
    }
}

TEST_F(ClipboardTable, PastedCellsShowWhatWasPastedEvenWhereACarriedFigureEqualledIt) {
  // Row 4 of A carries 103,50; pasting 1, 2 and 103,50 on rows 2..4 makes
  // row 4 carry 2 unless it takes the pasted figure as its own.
  PasteFigures(t, "1\r2\r103,50\r", {1, 2, 1, 3});
  EXPECT_EQ(ShownFigureText(t, 1, 4), "103,50");
  EXPECT_EQ(ShownFigure(t, 1, 4).State, TFigureState::Own);
}

TEST_F(ClipboardTable, ARefusedFieldChangesNothing) {
  const TPasteResult r = PasteFigures(t, "1\t2\rabc\t4\r", {1, 1, 2, 2});
  ASSERT_TRUE(r.Refused.has_value());
  EXPECT_EQ(r.Refused->Text, "abc");
  EXPECT_EQ(r.Refused->Row, 1);
  EXPECT_FALSE(r.Changed);
  EXPECT_EQ(ShownFigureText(t, 1, 1), "100,00");
}

TEST_F(ClipboardTable, DutchSpreadsheetTextPastesAsMeant) {
  const TPasteResult r = PasteFigures(t, "1.234,5\r\n102.5\r\n", {2, 1, 1, 6});
  EXPECT_TRUE(r.Changed);
  EXPECT_EQ(ShownFigure(t, 2, 1).Figure, 1234.5);
  EXPECT_EQ(ShownFigure(t, 2, 2).Figure, 102.5);
  // The line end after the last field adds no empty row that would clear row 3.
  EXPECT_EQ(ShownFigure(t, 2, 3).State, TFigureState::CarriedForward);
}

TEST_F(ClipboardTable, ClearingTakesOwnFiguresOnly) {
  EXPECT_FALSE(ClearFigureArea(t, {1, 2, 1, 1}));  // carried only
  EXPECT_TRUE(ClearFigureArea(t, {1, 3, 3, 4}));
  EXPECT_EQ(ShownFigure(t, 1, 3).State, TFigureState::CarriedForward);
  EXPECT_EQ(ShownFigure(t, 2, 3).State, TFigureState::CarriedForward);
  EXPECT_EQ(ShownFigure(t, 3, 3).State, TFigureState::Trend);
}

TEST(SetFigures, GivesWhatSetFigureGivesOneByOne) {
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    TBDConfig a = TableJanToJun2008();
    a.SetPeriodEnd(Key(2010, 12));
    a.RebuildMonthList();
    a.AddComponent(Component("A", 10, static_cast<std::uint8_t>(round % 3), 6));
    TBDConfig b = a;
    std::vector<TBDConfig::TRowFigure> figures;
    for (int k = 0; k < 30; ++k) {
      const int row = std::uniform_int_distribution<int>(0, a.MonthCount() + 1)(random);
      const int pick = std::uniform_int_distribution<int>(0, 3)(random);
      const double value = pick == 0 ? 0.0 : pick == 1 ? -1.0 : 90.0 + (k % 7);
      figures.push_back({row, value});
    }
    bool one = false;
    for (const auto& f : figures) one = a.SetFigure(1, f.Row, false, f.Value) || one;
    const bool bulk = b.SetFigures(1, figures);
    EXPECT_EQ(bulk, one) << round;
    for (int i = 0; i < kMonthCount; ++i) {
      const TMonthKey key = KeyOfMonthIndex(i);
      const TIndexCell x = a.Cell(1, key), y = b.Cell(1, key);
      ASSERT_EQ(x.Value, y.Value) << round << " month " << i;
      ASSERT_EQ(x.IsTrend, y.IsTrend) << round << " month " << i;
      ASSERT_EQ(x.CarriedFrom, y.CarriedFrom) << round << " month " << i;
      ASSERT_EQ(a.GetIndex(key, 1).Figure, b.GetIndex(key, 1).Figure) << round << " month " << i;
    }
    EXPECT_EQ(a.FirstFigure(1), b.FirstFigure(1));
    EXPECT_EQ(a.RangeEnd(1), b.RangeEnd(1));
  }
}

}  // namespace
}  // namespace pc
