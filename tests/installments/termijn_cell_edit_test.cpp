// Typing into the installment grid: the new-installment row, renaming,
// moving and deleting by emptying a cell, and refused values.
#include <gtest/gtest.h>

#include "common/recording_messages.h"
#include "installments/termijn_cell_edit.h"
#include "installments/termijn_grid.h"
#include "termijn_grid_fixture.h"

namespace pc {
namespace {

using testing_support::Day;
using testing_support::TExampleSet;

class CellEditTest : public ::testing::Test {
 protected:
  CellEditTest() { example_.Set().SetMessageUi(&messages_); }
  TCellEditResult Type(int row, int column, const char* text) {
    TTermijnGrid grid(example_.Set());
    std::string before = grid.Cell(row, column).Placeholder ? "" : grid.Cell(row, column).Text;
    const TCellEditResult result = CommitInstallmentCell(example_.Set(), row, column, before, text);
    if (result.Recalculate) example_.Set().Calculate(0);
    return result;
  }
  int NewRow() { return example_.Set().RowCount() + 1; }

  TExampleSet example_{true, true};
  TRecordingMessages messages_;
};

TEST_F(CellEditTest, TypingNameDateAndAmountAddsTheInstallment) {
  TCellEditResult r = Type(NewRow(), 1, "Termijn 2");
  EXPECT_TRUE(r.Changed);
  EXPECT_FALSE(r.Recalculate);
  EXPECT_EQ(example_.Set().Count(), 1);
  r = Type(NewRow(), 5, "5000");
  EXPECT_TRUE(r.Changed);
  r = Type(NewRow(), 3, "30-4-08");
  EXPECT_TRUE(r.Changed && r.Recalculate);
  EXPECT_EQ(r.SelectRow, 2);
  ASSERT_EQ(example_.Set().Count(), 2);
  EXPECT_EQ(example_.Set().Name(2), "Termijn 2");
  EXPECT_EQ(example_.Set().Amount(2), 5000.0);
  EXPECT_EQ(example_.Set().NewEntry().Name, "");
  EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(CellEditTest, RefusedDatesShowTheirMessageAndAddNothing) {
  struct TCase {
    const char* Text;
    const char* Message;
  };
  const TCase cases[] = {
      {"31-1-08", "Fout: Datum dient op of na de uitvoer-startdatum te liggen!"},
      {"15-3-08", "Fout: Er is reeds een termijn met deze einddatum!"},
      {"31-2-08", "Fout: Dit is geen geldige datum!"},
  };
  Type(NewRow(), 1, "Termijn 2");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    messages_.ClearCalls();
    const TCellEditResult r = Type(NewRow(), 3, c.Text);
    EXPECT_FALSE(r.Changed);
    EXPECT_EQ(example_.Set().Count(), 1);
    EXPECT_EQ(messages_.Messages(), std::vector<std::string>{c.Message});
  }
  // The installment's own end date in another form is refused as in use.
  messages_.ClearCalls();
  EXPECT_FALSE(Type(1, 3, "15-3-08").Changed);
  EXPECT_EQ(messages_.Messages(), std::vector<std::string>{"Fout: Er is reeds een termijn met deze einddatum!"});
}

TEST_F(CellEditTest, ComponentAmountAboveTheInstallmentAmountIsRefused) {
  example_.Show(example_.Material());
  Type(NewRow(), 5, "100");
  EXPECT_FALSE(Type(NewRow(), 6, "150").Changed);
  EXPECT_EQ(messages_.Messages(),
            std::vector<std::string>{"De som van de bestanddelen in deze termijn is hoger dan het termijnbedrag."});
  EXPECT_TRUE(Type(NewRow(), 6, "60").Changed);
  EXPECT_EQ(example_.Set().NewEntry().ComponentAmount, 60.0);
}

TEST_F(CellEditTest, EmptiedNameOrDateDeletesTheInstallment) {
  for (int column : {1, 3}) {
    SCOPED_TRACE(column);
    TExampleSet example;
    TTermijnGrid grid(example.Set());
    const TCellEditResult r = CommitInstallmentCell(example.Set(), 1, column, grid.Cell(1, column).Text, "  ");
    EXPECT_TRUE(r.Changed && r.Recalculate);
    EXPECT_EQ(example.Set().Count(), 0);
  }
}

TEST_F(CellEditTest, EditsOfAnInstallmentRow) {
  EXPECT_TRUE(Type(1, 1, "Eerste termijn").Changed);
  EXPECT_EQ(example_.Set().Name(1), "Eerste termijn");
  EXPECT_FALSE(Type(1, 1, "Eerste termijn").Changed);
  // The editor shows the amount without thousands separators.
  EXPECT_FALSE(CommitInstallmentCell(example_.Set(), 1, 5, "10000,00", "10000,00").Changed);
  EXPECT_TRUE(CommitInstallmentCell(example_.Set(), 1, 5, "10000,00", "1.234,5").Changed);
  EXPECT_EQ(example_.Set().Amount(1), 1234.5);
  EXPECT_TRUE(CommitInstallmentCell(example_.Set(), 1, 5, "1234,50", "12,5").Changed);
  EXPECT_EQ(example_.Set().Amount(1), 12.5);
  // A variable component's amount is stored for that component only.
  example_.Show(example_.Material());
  const int materialSlot = example_.Table().SlotAt(example_.Material());
  EXPECT_TRUE(CommitInstallmentCell(example_.Set(), 1, 6, "0,00", "10").Changed);
  EXPECT_EQ(example_.Set().ComponentAmount(1, materialSlot), 10.0);
  // Moving to another day keeps name and amount; the cursor follows.
  Type(NewRow(), 1, "Tweede");
  Type(NewRow(), 3, "30-4-08");
  const TCellEditResult moved = Type(1, 3, "31-5-08");
  EXPECT_TRUE(moved.Changed);
  EXPECT_EQ(moved.SelectRow, 2);
  EXPECT_EQ(example_.Set().Name(2), "Eerste termijn");
  EXPECT_EQ(example_.Set().Amount(2), 12.5);
}

}  // namespace
}  // namespace pc
