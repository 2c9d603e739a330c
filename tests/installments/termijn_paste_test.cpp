// Installments pasted from a spreadsheet or from the grid: rows and fields,
// both layouts, the checks and duplicates, the limit, and all-or-nothing
// adding.
#include <gtest/gtest.h>

#include <string>

#include "installments/termijn_paste.h"
#include "termijn_grid_fixture.h"

namespace pc {
namespace {

using testing_support::Day;
using testing_support::TExampleSet;

std::string DutchSheet(int rows) {
  std::string text;
  for (int i = 1; i <= rows; ++i)
    text += "Termijn " + std::to_string(i + 1) + "\t" + std::to_string(i) + "-" + std::to_string((i + 2) % 12 + 1) +
            "-" + std::to_string(2008 + (i + 2) / 12) + "\t1.234,50\r\n";
  return text;
}

TEST(PastedRows, SplitAtTabAndCrKeepingSixFields) {
  const auto rows = SplitPastedRows("a\tb\r\nc\td\te\tf\tg\th\ti\rlast");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(rows[1].size(), 6u);
  EXPECT_EQ(rows[2], (std::vector<std::string>{"last"}));
  EXPECT_TRUE(SplitPastedRows("").empty());
  EXPECT_EQ(SplitPastedRows("x\x01y\r").at(0), (std::vector<std::string>{"xy"}));
}

TEST(PastedInstallments, TenRowsFromADutchSpreadsheet) {
  TExampleSet example;
  const TPasteRead read = ReadPastedInstallments(example.Set(), DutchSheet(10), false, 2008);
  EXPECT_TRUE(read.MultiColumn);
  ASSERT_EQ(read.Candidates.size(), 10u);
  EXPECT_FALSE(PasteNeedsConfirmation(read));
  for (int i = 0; i < 10; ++i) {
    const TPastedTermijn& c = read.Candidates[static_cast<std::size_t>(i)];
    EXPECT_EQ(c.EndDate, Day(2008 + (i + 3) / 12, (i + 3) % 12 + 1, i + 1));
    EXPECT_EQ(c.Amount, 1234.5);
    EXPECT_EQ(c.AmountText, "1.234,50");
    EXPECT_EQ(c.Status, TPasteStatus::Accepted);
  }
  EXPECT_EQ(AddPastedInstallments(example.Set(), read.Candidates, 0), 10);
  EXPECT_EQ(example.Set().Count(), 11);
}

TEST(PastedInstallments, ReadsTheGridsOwnCopyAndSpreadsheetDecimalPoints) {
  TExampleSet example(false, true);
  const std::string fromGrid =
      "Termijn 1\t1-Feb-08\t15-Mrt-08\t44\t10000,00\t4000,00\t \t100,45\r"
      "Termijn 2\t16-Mrt-08\t30-Apr-08\t46\t1234.50\t617.25\t \t1,00";
  const TPasteRead read = ReadPastedInstallments(example.Set(), fromGrid, true, 2008);
  ASSERT_EQ(read.Candidates.size(), 2u);
  EXPECT_EQ(read.Candidates[0].EndDate, Day(2008, 3, 15));
  EXPECT_EQ(read.Candidates[0].Amount, 10000.0);
  EXPECT_EQ(read.Candidates[0].ComponentAmount, 4000.0);
  EXPECT_EQ(read.Candidates[1].Amount, 1234.5);
  EXPECT_EQ(read.Candidates[1].ComponentAmount, 617.25);

  const int slot = example.Table().SlotAt(example.Material());
  ASSERT_EQ(AddPastedInstallments(example.Set(), read.Candidates, slot), 2);
  EXPECT_EQ(example.Set().ComponentAmount(2, slot), 617.25);
  // A component that is not variable takes no component amount.
  EXPECT_EQ(ReadPastedInstallments(example.Set(), "T\t1-6-08\t5\t3", false, 2008).Candidates[0].ComponentAmount,
            0.0);
}

TEST(PastedInstallments, EveryRefusedRowIsReportedWithItsReason) {
  TExampleSet example;
  const std::string text =
      "Termijnnaam\tEinddatum\tBedrag\r"  // a header row
      "Vroeg\t15-1-08\t100\r"
      "Bestaand\t15-3-08\t100\r"
      "Nieuw\t30-4-08\t100\r"
      "Dubbel\t30-apr-2008\t200\r"
      "\t31-5-08\t300\r"
      "\t\t\r"  // an empty spreadsheet row is no installment
      "Twee kolommen\t30-6-08\r";
  const TPasteRead read = ReadPastedInstallments(example.Set(), text, false, 2008);
  std::vector<TPasteStatus> statuses;
  for (const TPastedTermijn& c : read.Candidates) statuses.push_back(c.Status);
  EXPECT_EQ(statuses, (std::vector<TPasteStatus>{TPasteStatus::NoDate, TPasteStatus::BeforeStartOfWorks,
                                                 TPasteStatus::EndDateTaken, TPasteStatus::Accepted,
                                                 TPasteStatus::DuplicateInList, TPasteStatus::NoName,
                                                 TPasteStatus::Accepted}));
  EXPECT_TRUE(PasteNeedsConfirmation(read));
  EXPECT_EQ(read.Candidates[0].DateText, "Einddatum");
  EXPECT_EQ(PasteStatusText(read.Candidates[4].Status), "Datum reeds in deze lijst!");
  EXPECT_EQ(read.Candidates[6].Amount, 0.0);
  EXPECT_EQ(AddPastedInstallments(example.Set(), read.Candidates, 0), 2);
  EXPECT_EQ(example.Set().Count(), 3);
}

TEST(PastedInstallments, TwoRowsWithOneNewDateAreNotAddedSilently) {
  TExampleSet example;
  const TPasteRead read = ReadPastedInstallments(example.Set(), "A\t30-4-08\r\nB\t30-4-08\r\n", false, 2008);
  ASSERT_EQ(read.Candidates.size(), 2u);
  EXPECT_EQ(read.Candidates[1].Status, TPasteStatus::DuplicateInList);
  EXPECT_TRUE(PasteNeedsConfirmation(read));
}

TEST(PastedInstallments, RowsBeyondTheLimitAndTheRoomAreCounted) {
  TExampleSet example(false);
  std::string text;
  for (int i = 0; i < 150; ++i) text += "T\t" + std::to_string(1 + i % 28) + "-" + std::to_string(1 + i / 28 % 12) +
                                        "-" + std::to_string(2009 + i / 336) + "\t1\r";
  const TPasteRead read = ReadPastedInstallments(example.Set(), text, false, 2008);
  EXPECT_EQ(read.Candidates.size(), 100u);
  EXPECT_EQ(read.RowsBeyondLimit, 50);
  EXPECT_TRUE(PasteNeedsConfirmation(read));

  TTermijnConfig& set = example.Set();
  for (int i = 0; i < kMaxInstallments - 1; ++i) set.InsertInstallment("X", {}, 0, 1, Day(2010, 1, 1) + i);
  std::vector<TPastedTermijn> two = ReadPastedInstallments(set, "A\t1-2-09\rB\t2-2-09", false, 2008).Candidates;
  EXPECT_EQ(two[1].Status, TPasteStatus::NoRoom);
  // Added all or nothing: a candidate the set refuses leaves it unchanged.
  two[1].Status = TPasteStatus::Accepted;
  EXPECT_EQ(AddPastedInstallments(set, two, 0), 0);
  EXPECT_EQ(set.Count(), kMaxInstallments - 1);
}

TEST(PastedInstallments, SingleValueIsNotACandidate) {
  TExampleSet example;
  const TPasteRead read = ReadPastedInstallments(example.Set(), " 1.234,5 \r\n", false, 2008);
  EXPECT_FALSE(read.MultiColumn);
  EXPECT_TRUE(read.Candidates.empty());
  EXPECT_EQ(read.FirstField, "1.234,5");
}

}  // namespace
}  // namespace pc
