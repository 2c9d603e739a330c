// The installment grid's cells, totals, navigation, copy text and the
// component chooser, read as a person reads the grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "installments/termijn_grid.h"
#include "termijn_grid_fixture.h"

namespace pc {
namespace {

using testing_support::Day;
using testing_support::TExampleSet;

std::vector<std::string> RowTexts(const TTermijnGrid& grid, int row) {
  std::vector<std::string> texts;
  for (int c = 0; c < kGridColumns; ++c) texts.push_back(grid.Cell(row, c).Text);
  return texts;
}

TEST(TermijnGrid, ShowsTheWorkedExampleRowAndItsSubPeriods) {
  TExampleSet example;
  TTermijnGrid grid(example.Set());
  ASSERT_EQ(grid.DataRows(), 1);
  EXPECT_EQ(RowTexts(grid, 1), (std::vector<std::string>{"", "Termijn 1", "1-Feb-08", "15-Mrt-08", "44", "10.000,00",
                                                         "4.000,00", "", "100,45"}));
  const TGridCell name = grid.Cell(1, 1);
  EXPECT_TRUE(name.Bold && name.Editable);
  EXPECT_EQ(grid.Cell(1, 0).Group, TGroupMark::Collapsed);
  EXPECT_TRUE(grid.Cell(1, 5).Euro);
  EXPECT_FALSE(grid.Cell(1, 6).Editable);  // not a variable component
  EXPECT_FALSE(grid.Cell(1, 8).Editable);
  EXPECT_EQ(grid.Header(6), "Arbeid (40,00%)");

  ASSERT_TRUE(example.Set().Expand(1));
  ASSERT_EQ(grid.DataRows(), 3);
  EXPECT_EQ(grid.Cell(1, 0).Group, TGroupMark::Expanded);
  EXPECT_EQ(RowTexts(grid, 2), (std::vector<std::string>{"", "", "1-Feb-08", "29-Feb-08", "29", "6.590,91",
                                                         "2.636,36", "2,00 %", "52,73"}));
  EXPECT_EQ(RowTexts(grid, 3), (std::vector<std::string>{"", "", "1-Mrt-08", "15-Mrt-08", "15", "3.409,09",
                                                         "1.363,64", "3,50 %", "47,73"}));
  EXPECT_EQ(grid.Cell(2, 2).Background, TCellBackground::Tooltip);
  EXPECT_EQ(grid.Cell(2, 0).Background, TCellBackground::White);
  EXPECT_FALSE(grid.Cell(2, 1).Bold);
  EXPECT_EQ(grid.ComponentTotalText(), "100,45");
  EXPECT_EQ(grid.ProjectTotalText(), "100,45");
  EXPECT_FALSE(grid.ProjectTotalNegative());
}

TEST(TermijnGrid, NewEntryRowShowsPlaceholdersAndTypedValues) {
  TExampleSet example(false, true);
  TTermijnGrid grid(example.Set());
  EXPECT_EQ(grid.DataRows(), 0);
  const int row = grid.NewEntryRow();
  EXPECT_EQ(RowTexts(grid, row),
            (std::vector<std::string>{"", "(Termijn toevoegen)", "", "(Datum)", "", "(Bedrag)", "", "", ""}));
  EXPECT_TRUE(grid.Cell(row, 1).Placeholder);
  EXPECT_EQ(grid.Cell(row, 1).Foreground, TCellForeground::Silver);
  EXPECT_EQ(grid.Cell(row, 1).Align, TCellAlign::Center);

  example.Show(example.Material());
  grid = TTermijnGrid(example.Set());
  EXPECT_EQ(grid.Cell(row, 6).Text, "(Bedrag)");
  EXPECT_TRUE(grid.Cell(row, 6).Editable);
  example.Set().SetNewAmount(-50);  // a negative amount keeps its placeholder
  EXPECT_EQ(grid.Cell(row, 5).Text, "(Bedrag)");
  example.Set().SetNewEndDate(Day(2008, 4, 30));
  const TGridCell date = grid.Cell(row, 3);
  EXPECT_EQ(date.Text, "30-Apr-08");
  EXPECT_TRUE(date.Bold);
  EXPECT_FALSE(date.Placeholder);
  EXPECT_EQ(date.Align, TCellAlign::Right);
}

TEST(TermijnGrid, RestrictedComponentMarksSubPeriodsBeforeItsSettlementDate) {
  testing_support::TTableBuilder tables(2007, 2009);
  TComponentValues v;
  const int position = tables.Add("Staal", 50, false, start_rule::kFixedDate, Day(2008, 2, 10));
  tables.Figures(position, {{2008, 1, 100}, {2008, 2, 110}, {2008, 3, 120}});
  TTermijnConfig set(&tables.Table());
  set.SetProjectDates(Day(2008, 1, 15), Day(2008, 1, 15), Day(2008, 2, 1));
  set.SetCurrentComponent(position);
  set.InsertInstallment("T1", {}, 0, -4400, Day(2008, 3, 15));
  set.Expand(1);
  set.Calculate(0);
  TTermijnGrid grid(set);
  ASSERT_EQ(grid.DataRows(), 4);
  EXPECT_EQ(grid.Cell(2, 3).Text, "9-Feb-08");
  EXPECT_EQ(grid.Cell(2, 3).Background, TCellBackground::LightRed);
  EXPECT_EQ(grid.Cell(2, 8).Text, "0,00");
  EXPECT_EQ(grid.Cell(3, 3).Background, TCellBackground::Tooltip);
  EXPECT_TRUE(grid.ProjectTotalNegative());
  EXPECT_TRUE(grid.ComponentTotalNegative());
}

TEST(TermijnGrid, TabMovesBetweenEditableCells) {
  TExampleSet example;
  TTermijnGrid grid(example.Set());
  struct TMove {
    int Row, Column;
    bool Forward;
    int ToRow, ToColumn;
  };
  const TMove moves[] = {
      {1, 1, true, 1, 3}, {1, 3, true, 1, 5}, {1, 5, true, 2, 1}, {2, 5, true, 1, 1},
      {1, 5, false, 1, 3}, {1, 1, false, 2, 5}, {2, 1, false, 1, 5},
  };
  for (const TMove& m : moves) {
    int row = m.Row, column = m.Column;
    grid.NextEditableCell(row, column, m.Forward);
    EXPECT_EQ(row, m.ToRow) << m.Row << "," << m.Column << (m.Forward ? " tab" : " shift+tab");
    EXPECT_EQ(column, m.ToColumn) << m.Row << "," << m.Column << (m.Forward ? " tab" : " shift+tab");
  }
  EXPECT_EQ(TTermijnGrid::ColumnWidth(6, 80), 105);
  EXPECT_EQ(TTermijnGrid::ColumnWidth(6, 120), 135);
}

TEST(TermijnGrid, CopiesRowsAsTabAndCrTextWithoutPlaceholders) {
  TExampleSet example;
  example.Set().Expand(1);
  TTermijnGrid grid(example.Set());
  EXPECT_EQ(grid.CopyText(1, 0, 2, 8),
            "Termijn 1\t1-Feb-08\t15-Mrt-08\t44\t10000,00\t4000,00\t \t100,45\r"
            " \t1-Feb-08\t29-Feb-08\t29\t6590,91\t2636,36\t2,00 %\t52,73");
  const int last = grid.NewEntryRow();
  EXPECT_EQ(grid.CopyText(last, 1, last, 3), " \t \t ");
  EXPECT_FALSE(grid.HasCopyText(last, 1, last, 8));
  EXPECT_TRUE(grid.HasCopyText(1, 1, 1, 1));
}

TEST(TermijnGrid, ComponentChooserListsComponentsThatTakePart) {
  TExampleSet example(true, true);
  TComponentValues none;
  none.Name = "Nul";
  example.Table().AddComponent(none);
  EXPECT_EQ(ChoosableComponents(example.Table()), (std::vector<int>{1, 2}));
  EXPECT_EQ(PreferredComponent(example.Table(), 2), 2);
  EXPECT_EQ(PreferredComponent(example.Table(), 3), 1);
  TBDConfig empty;
  EXPECT_EQ(PreferredComponent(empty, 1), 0);
}

TEST(TermijnGrid, DeletingRowsRemovesEachInstallmentOnce) {
  TExampleSet example;
  TTermijnConfig& set = example.Set();
  set.InsertInstallment("Termijn 2", {}, 0, 500, Day(2008, 5, 31));
  set.Calculate(0);
  set.Expand(2);  // Termijn 2 spans March to May: rows 3, 4, 5 below row 2
  ASSERT_EQ(set.RowCount(), 5);
  EXPECT_EQ(DeleteInstallmentRows(set, 3, 6), 1);  // two sub-period rows and the new row
  ASSERT_EQ(set.Count(), 1);
  EXPECT_EQ(set.Name(1), "Termijn 1");
}

}  // namespace
}  // namespace pc
