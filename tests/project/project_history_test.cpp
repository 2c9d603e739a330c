// The undo history: steps, undo and redo, the limit, and the commands that
// make one step.
#include "project/project_history.h"

#include <gtest/gtest.h>

#include "project_test_support.h"

namespace pc::project {
namespace {

using testing::Day;
using testing::ProjectFixture;
using testing::SetFigures;
using testing::SetPeriod;

class ProjectHistoryTest : public ProjectFixture {
 protected:
  ProjectHistoryTest() : history_(&services_) {
    history_.OnRestore = [this] { ++restores_; };
    TProjectData& d = history_.Current();
    d.EnsureModels();
    d.PriceReferenceDate = d.TenderDate = d.StartOfWorks = Day(2008, 1, 15);
    SetPeriod(*d.IndexTable, 2008, 1, 2010, 12);
    const int slot = testing::AddComponent(*d.IndexTable, "Lonen", 40);
    SetFigures(*d.IndexTable, slot, {{{2008, 1}, 100.0}});
  }

  // Step i sets the figure of month row 2 to 100 + i.
  void ChangeFigure(int i) {
    history_.BeginStep(false);
    ASSERT_TRUE(history_.Current().IndexTable->SetFigure(1, 2, false, 100.0 + i));
    history_.CommitStep();
  }

  static double FigureOf(const TProjectData& d) {
    return d.IndexTable->GetIndex(MonthKeyOfYearMonth(2008, 2), 1).Figure;
  }

  TProject history_;
  int restores_ = 0;
};

TEST_F(ProjectHistoryTest, HundredAndOneStepsKeepTheLastHundredUnchanged) {
  for (int i = 1; i <= 101; ++i) ChangeFigure(i);
  ASSERT_EQ(history_.UndoCount(), 100u);
  // Entry k holds the state after step k + 1; the start and step 1 fell out.
  for (std::size_t k = 0; k < history_.UndoCount(); ++k)
    EXPECT_EQ(FigureOf(history_.UndoEntry(k)), 100.0 + static_cast<double>(k) + 2) << k;
  int undone = 0;
  while (history_.CanUndo()) {
    history_.Undo();
    ++undone;
  }
  EXPECT_EQ(undone, 99);
  EXPECT_EQ(restores_, 99);
  EXPECT_EQ(FigureOf(history_.Current()), 102.0);
  history_.Redo();
  EXPECT_EQ(FigureOf(history_.Current()), 103.0);
  // Every entry kept its own state through all the moving.
  for (std::size_t k = 0; k < history_.UndoCount(); ++k)
    EXPECT_EQ(FigureOf(history_.UndoEntry(k)), 102.0 + static_cast<double>(k));
  for (std::size_t k = 0; k < history_.RedoCount(); ++k)
    EXPECT_EQ(FigureOf(history_.RedoEntry(k)), 201.0 - static_cast<double>(k)) << k;
}

TEST_F(ProjectHistoryTest, UndoGivesBackTheUnmodifiedStartAndANewStepClearsRedo) {
  EXPECT_FALSE(history_.CanUndo());
  EXPECT_FALSE(history_.IsModified());
  ChangeFigure(1);
  EXPECT_TRUE(history_.CanUndo());
  EXPECT_TRUE(history_.IsModified());
  history_.Undo();
  EXPECT_FALSE(history_.IsModified());
  EXPECT_EQ(FigureOf(history_.Current()), 100.0);  // carried from January
  EXPECT_TRUE(history_.CanRedo());
  ChangeFigure(2);
  EXPECT_FALSE(history_.CanRedo());
  EXPECT_EQ(FigureOf(history_.Current()), 102.0);
  history_.Redo();  // nothing to redo: no change, no call back
  EXPECT_EQ(restores_, 1);
}

TEST_F(ProjectHistoryTest, DroppedStepLeavesNoTrace) {
  history_.BeginStep(false);
  EXPECT_FALSE(history_.Current().IndexTable->SetFigure(1, 1, false, 100.0));  // same value
  history_.DropStep();
  EXPECT_EQ(history_.UndoCount(), 1u);
  EXPECT_FALSE(history_.IsModified());
  history_.DropStep();  // the last entry always stays
  EXPECT_EQ(history_.UndoCount(), 1u);
  EXPECT_EQ(restores_, 0);
}

TEST_F(ProjectHistoryTest, BeginStepStoresWhereTheUserWas) {
  TUiState where;
  where.ActivePage = 2;
  where.FocusedGrid = 2;
  where.InstallmentRow = 7;
  history_.UiStateSource = [&] { return where; };
  ChangeFigure(1);
  EXPECT_EQ(history_.UndoEntry(0).Ui, where);
  EXPECT_EQ(history_.Current().Ui, where);
}

TEST_F(ProjectHistoryTest, SaveCollapsesTheHistory) {
  ChangeFigure(1);
  ChangeFigure(2);
  history_.Undo();
  ASSERT_TRUE(history_.SaveDocument(temp_.Path("P.kvp")));
  EXPECT_EQ(history_.UndoCount(), 1u);
  EXPECT_FALSE(history_.CanUndo());
  EXPECT_FALSE(history_.CanRedo());
  EXPECT_FALSE(history_.IsModified());
  EXPECT_EQ(FigureOf(history_.Current()), 101.0);
}

TEST_F(ProjectHistoryTest, OpenAndNewLeaveOneEntry) {
  ASSERT_TRUE(history_.Current().SaveProjectFile(temp_.Path("P.kvp")));
  ChangeFigure(1);
  ASSERT_TRUE(history_.OpenDocument(temp_.Path("P.kvp"), ""));
  EXPECT_EQ(history_.UndoCount(), 1u);
  EXPECT_FALSE(history_.CanUndo());
  EXPECT_EQ(history_.Current().ProjectPath, temp_.Path("P.kvp"));
  history_.NewDocument();
  EXPECT_EQ(history_.UndoCount(), 1u);
  EXPECT_EQ(history_.Current().ProjectName, "Nieuw Project");
}

TEST_F(ProjectHistoryTest, DeleteComponentIsOneStepAndDropsItsAmounts) {
  TProjectData& d = history_.Current();
  const int slot = testing::AddComponent(*d.IndexTable, "Var", 0, true);
  d.Installments->SetProjectDates(d.PriceReferenceDate, d.TenderDate, d.StartOfWorks);
  TComponentAmounts amounts{};
  amounts[static_cast<std::size_t>(slot)] = 500;
  ASSERT_TRUE(d.Installments->InsertInstallment("T", amounts, 0, 1000, Day(2008, 3, 1)));
  history_.DeleteComponent(2);
  EXPECT_EQ(history_.UndoCount(), 2u);
  EXPECT_FALSE(history_.Current().IndexTable->ComponentExists("Var"));
  EXPECT_EQ(history_.Current().Installments->ComponentAmount(1, slot), 0.0);
  EXPECT_EQ(history_.UndoEntry(0).Installments->ComponentAmount(1, slot), 500.0);
}

TEST_F(ProjectHistoryTest, SetIndexPictureMakesAStepOnlyForAChange) {
  TPicture a;
  a.Kind = PictureKind::Bitmap;
  a.Data = "BM-a";
  a.Width = a.Height = 16;
  history_.SetIndexPicture(nullptr);
  EXPECT_EQ(history_.UndoCount(), 1u);
  history_.SetIndexPicture(&a);
  EXPECT_EQ(history_.UndoCount(), 2u);
  history_.SetIndexPicture(&a);
  EXPECT_EQ(history_.UndoCount(), 2u);
  history_.SetIndexPicture(nullptr);
  EXPECT_EQ(history_.UndoCount(), 3u);
  EXPECT_FALSE(history_.Current().IndexPicture);
  ASSERT_TRUE(history_.UndoEntry(1).IndexPicture);
  EXPECT_EQ(*history_.UndoEntry(1).IndexPicture, a);
}

TEST_F(ProjectHistoryTest, PeriodFollowsThePriceReferenceMonth) {
  const struct {
    const char* name;
    TMonthKey first, last;
    TMonthKey wantFirst, wantLast;
    bool set;
  } cases[] = {
      {"covers it", MonthKeyOfYearMonth(2007, 1), MonthKeyOfYearMonth(2009, 1),
       MonthKeyOfYearMonth(2007, 1), MonthKeyOfYearMonth(2009, 1), false},
      {"starts after it", MonthKeyOfYearMonth(2008, 2), MonthKeyOfYearMonth(2009, 1),
       MonthKeyOfYearMonth(2008, 1), MonthKeyOfYearMonth(2009, 1), true},
      {"ends before it", MonthKeyOfYearMonth(2006, 1), MonthKeyOfYearMonth(2007, 12),
       MonthKeyOfYearMonth(2006, 1), MonthKeyOfYearMonth(2008, 1), true},
      // The price date is the 15th: the first day of its month lies before it.
      {"ends in its month", MonthKeyOfYearMonth(2006, 1), MonthKeyOfYearMonth(2008, 1),
       MonthKeyOfYearMonth(2006, 1), MonthKeyOfYearMonth(2008, 1), true},
  };
  for (const auto& c : cases) {
    TMonthKey first = c.first, last = c.last;
    EXPECT_EQ(history_.AdjustPeriodToPriceMonth(first, last), c.set) << c.name;
    EXPECT_EQ(first, c.wantFirst) << c.name;
    EXPECT_EQ(last, c.wantLast) << c.name;
  }
  history_.SetIndexPeriod(MonthKeyOfYearMonth(2008, 6), MonthKeyOfYearMonth(2009, 12), false);
  EXPECT_EQ(history_.UndoCount(), 2u);
  EXPECT_EQ(FigureOf(history_.Current()), 0.0);  // January fell out with its figure
  history_.ExtendPeriodToPriceMonth();
  EXPECT_EQ(history_.UndoCount(), 2u);
  EXPECT_EQ(history_.Current().IndexTable->PeriodStart(), MonthKeyOfYearMonth(2008, 1));
  EXPECT_EQ(FigureOf(history_.UndoEntry(0)), 100.0);
}

}  // namespace
}  // namespace pc::project
