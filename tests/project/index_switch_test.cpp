// Switching to another index file is one undo step that marks the document
// modified; a cancelled switch leaves no step.
#include <gtest/gtest.h>

#include "project/index_switch.h"
#include "project/project_history.h"
#include "project_test_support.h"
#include "storage/storage_file.h"

namespace pc::project {
namespace {

using testing::Day;
using testing::ProjectFixture;

class IndexSwitchTest : public ProjectFixture {
 protected:
  IndexSwitchTest() : history_(&services_) {
    TProjectData& d = history_.Current();
    d.EnsureModels();
    d.PriceReferenceDate = d.TenderDate = d.StartOfWorks = Day(2008, 1, 1);
    testing::SetPeriod(*d.IndexTable, 2008, 1, 2008, 12);
    testing::AddComponent(*d.IndexTable, "Lonen", 40);
    staal_ = testing::AddComponent(*d.IndexTable, "Staal", 30);
    d.Installments->SetProjectDates(d.PriceReferenceDate, d.TenderDate, d.StartOfWorks);
    TComponentAmounts amounts{};
    amounts[static_cast<std::size_t>(staal_)] = 300;
    EXPECT_TRUE(d.Installments->InsertInstallment("T", amounts, 0, 1000, Day(2008, 3, 1)));
    d.Modified = false;

    storage::TStorageFile f(kFileVersion, storage::StorageDocKind::Index, Central("Nieuw.kvi"));
    f.FirstMonth = Day(2008, 1, 1);
    f.LastMonth = Day(2008, 12, 1);
    f.Component(1).Name = "Lonen";
    f.Component(1).Position = 1;
    f.ComponentCount = 1;
    EXPECT_EQ(f.Save(), storage::KlWriteResult::Ok);
  }

  TProject history_;
  int staal_ = 0;
};

TEST_F(IndexSwitchTest, RemovingAComponentIsOneUndoableStep) {
  questions_.QueueSwitchAnswer({true, {-1}});  // Enter: "[Verwijder uit project]"
  ASSERT_TRUE(SwitchIndexFileStep(history_, Central("Nieuw.kvi"), false));
  EXPECT_EQ(history_.UndoCount(), 2u);
  EXPECT_TRUE(history_.IsModified());
  EXPECT_FALSE(history_.Current().IndexTable->ComponentExists("Staal"));
  EXPECT_EQ(history_.Current().Installments->ComponentAmount(1, staal_), 0.0);

  history_.Undo();
  EXPECT_TRUE(history_.Current().IndexTable->ComponentExists("Staal"));
  EXPECT_EQ(history_.Current().Installments->ComponentAmount(1, staal_), 300.0);
  EXPECT_EQ(history_.Current().IndexFileName, "");
}

TEST_F(IndexSwitchTest, ACancelledOrNeedlessSwitchLeavesNoStep) {
  questions_.QueueSwitchAnswer({false, {-1}});
  EXPECT_FALSE(SwitchIndexFileStep(history_, Central("Nieuw.kvi"), false));
  EXPECT_FALSE(SwitchIndexFileStep(history_, Central("Indices.kvi"), false));  // same (default) name
  EXPECT_EQ(history_.UndoCount(), 1u);
  EXPECT_FALSE(history_.IsModified());
  EXPECT_TRUE(history_.Current().IndexTable->ComponentExists("Staal"));
}

}  // namespace
}  // namespace pc::project
