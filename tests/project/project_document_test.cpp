// The project document and its project files.
#include <gtest/gtest.h>

#include <cmath>

#include "project/project_data.h"
#include "project/project_history.h"
#include "project_test_support.h"
#include "storage/storage_file.h"

namespace pc::project {
namespace {

using testing::Day;
using testing::ProjectFixture;
using testing::ReadBytes;
using testing::SetFigures;
using testing::SetPeriod;
using testing::WriteBytes;

class ProjectDocumentTest : public ProjectFixture {
 protected:
  // The worked example: 40 % component, figures Jan..Mar 2008, one
  // installment of 10 000 ending 15 March 2008.
  std::unique_ptr<TProjectData> WorkedExample() {
    auto d = NewDocument();
    d->ProjectName = "Brug";
    d->Client = "Gemeente";
    d->Contractor = "Bouwer";
    d->PriceReferenceDate = Day(2008, 1, 15);
    d->TenderDate = Day(2008, 1, 10);
    d->StartOfWorks = Day(2008, 2, 1);
    SetPeriod(*d->IndexTable, 2008, 1, 2008, 12);
    const int slot = testing::AddComponent(*d->IndexTable, "Arbeid", 40);
    SetFigures(*d->IndexTable, slot, {{{2008, 1}, 100.0}, {{2008, 2}, 102.0}, {{2008, 3}, 103.5}});
    d->Installments->SetProjectDates(d->PriceReferenceDate, d->TenderDate, d->StartOfWorks);
    EXPECT_TRUE(d->Installments->InsertInstallment("Termijn 1", {}, 0, 10000.0, Day(2008, 3, 15)));
    return d;
  }
};

TEST_F(ProjectDocumentTest, NewProjectWithoutDefaultIndexFile) {
  TProjectData d(&services_);
  d.InitNew();
  EXPECT_EQ(messages_.Messages(), std::vector<std::string>{"Indices.kvi: Niet gevonden (code 3)."});
  EXPECT_EQ(d.ProjectName, "Nieuw Project");
  EXPECT_EQ(d.PriceReferenceDate, Day(2008, 3, 10));
  EXPECT_EQ(d.TenderDate, Day(2008, 3, 10));
  EXPECT_EQ(d.StartOfWorks, Day(2008, 3, 10));
  EXPECT_EQ(d.CalcMethod, 0);
  EXPECT_FALSE(d.HasLogo);
  EXPECT_FALSE(d.Modified);
  EXPECT_EQ(d.Installments->Count(), 0);
  EXPECT_EQ(d.IndexTable->Count(), 0);
  // Bound to the missing default file, so that the next save creates it.
  EXPECT_EQ(d.IndexPath, Central("Indices.kvi"));
  EXPECT_EQ(d.IndexBinding, index_binding::kCentral);
  ASSERT_TRUE(d.SaveAll(temp_.Path("Nieuw.kvp")));
  EXPECT_TRUE(testing::Exists(Central("Indices.kvi")));
}

TEST_F(ProjectDocumentTest, NewProjectTakesTheDefaultIndexFile) {
  auto source = WorkedExample();
  ASSERT_TRUE(source->SaveIndexFile(Central("Indices.kvi"), false, false));
  TProjectData d(&services_);
  d.InitNew();
  EXPECT_TRUE(messages_.Messages().empty());
  ASSERT_EQ(d.IndexTable->Count(), 1);
  EXPECT_EQ(d.IndexTable->GetComponentName(1), "Arbeid");
  EXPECT_EQ(d.IndexTable->GetIndex(MonthKeyOfYearMonth(2008, 2), 1).Figure, 102.0);
  EXPECT_EQ(d.IndexBinding, index_binding::kCentral);
}

TEST_F(ProjectDocumentTest, ProjectFileRoundTrip) {
  auto d = WorkedExample();
  d->Concept = true;
  d->CalcMethod = 1;
  d->IndexFileName = "Brug.kvi";
  const std::string path = temp_.Path("Brug.kvp");
  ASSERT_TRUE(d->SaveProjectFile(path));

  TProjectData back(&services_);
  ASSERT_TRUE(back.OpenProjectFile(path));
  EXPECT_EQ(back.ProjectName, "Brug");
  EXPECT_EQ(back.Client, "Gemeente");
  EXPECT_EQ(back.Contractor, "Bouwer");
  EXPECT_EQ(back.PriceReferenceDate, Day(2008, 1, 15));
  EXPECT_EQ(back.TenderDate, Day(2008, 1, 10));
  EXPECT_EQ(back.StartOfWorks, Day(2008, 2, 1));
  EXPECT_TRUE(back.Concept);
  EXPECT_EQ(back.CalcMethod, 1);
  EXPECT_TRUE(back.Installments->Simplified());
  EXPECT_EQ(back.IndexFileName, "Brug.kvi");
  EXPECT_EQ(back.ProjectPath, path);
  ASSERT_EQ(back.IndexTable->Count(), 1);
  EXPECT_EQ(back.IndexTable->GetComponent(1).Percentage, 40.0);
  EXPECT_EQ(back.IndexTable->PeriodStart(), MonthKeyOfYearMonth(2008, 1));
  EXPECT_EQ(back.IndexTable->PeriodEnd(), MonthKeyOfYearMonth(2008, 12));
  EXPECT_EQ(back.IndexTable->GetIndex(MonthKeyOfYearMonth(2008, 3), 1).Figure, 103.5);
  ASSERT_EQ(back.Installments->Count(), 1);
  EXPECT_EQ(back.Installments->Name(1), "Termijn 1");
  EXPECT_EQ(back.Installments->Amount(1), 10000.0);
  EXPECT_EQ(back.Installments->EndDate(1), Day(2008, 3, 15));
}

TEST_F(ProjectDocumentTest, WorkedExampleCorrections) {
  auto d = WorkedExample();
  d->Recalculate(1, false);
  EXPECT_NEAR(d->Installments->InstallmentCorrection(1), 100.4545454545, 1e-9);
  EXPECT_NEAR(d->Installments->AmountTotal(1), 4000.0, 1e-9);
  d->SetCalcMethod(1, 1);
  EXPECT_NEAR(d->Installments->InstallmentCorrection(1), 140.0, 1e-9);
}

// Only components taking part are written; each entry keeps its display
// position so that the amounts find their component again.
TEST_F(ProjectDocumentTest, ProjectFormKeepsPositionsForTheAmounts) {
  auto d = NewDocument();
  d->StartOfWorks = d->PriceReferenceDate = Day(2008, 1, 1);
  SetPeriod(*d->IndexTable, 2008, 1, 2008, 12);
  testing::AddComponent(*d->IndexTable, "A", 0);
  const int b = testing::AddComponent(*d->IndexTable, "B", 0, true);
  testing::AddComponent(*d->IndexTable, "C", 10);
  d->Installments->SetProjectDates(d->PriceReferenceDate, d->PriceReferenceDate, d->StartOfWorks);
  TComponentAmounts amounts{};
  amounts[static_cast<std::size_t>(b)] = 1234.5;
  ASSERT_TRUE(d->Installments->InsertInstallment("T1", amounts, 0, 5000, Day(2008, 2, 1)));
  const std::string path = temp_.Path("Var.kvp");
  ASSERT_TRUE(d->SaveProjectFile(path));

  storage::TStorageFile image(kFileVersion, storage::StorageDocKind::Project, path);
  ASSERT_EQ(image.Load(), storage::StorageLoadResult::Ok);
  EXPECT_EQ(image.Component(1).Name, "B");
  EXPECT_EQ(image.Component(1).Position, 2);
  EXPECT_EQ(image.Component(2).Name, "C");
  EXPECT_EQ(image.Component(2).Position, 3);
  EXPECT_EQ(image.Component(2).Percentage, 10.0);
  EXPECT_EQ(image.Component(3).Name, "");
  EXPECT_EQ(image.Installment(1).ComponentAmounts[1], 1234.5);  // element 2

  TProjectData back(&services_);
  ASSERT_TRUE(back.OpenProjectFile(path));
  ASSERT_EQ(back.IndexTable->Count(), 2);
  const int slotB = back.IndexTable->FindComponent("B");
  const int slotC = back.IndexTable->FindComponent("C");
  EXPECT_EQ(back.Installments->ComponentAmount(1, slotB), 1234.5);
  EXPECT_EQ(back.Installments->ComponentAmount(1, slotC), 0.0);
}

TEST_F(ProjectDocumentTest, DamagedProjectFileIsReportedWithItsCode) {
  auto d = WorkedExample();
  const std::string path = temp_.Path("Brug.kvp");
  ASSERT_TRUE(d->SaveProjectFile(path));
  const std::string good = ReadBytes(path);
  const struct {
    const char* name;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"cut short", good.substr(0, good.size() / 2), "Brug.kvp: Foutief bestandsformaat (code "},
      {"not a container", "hello world", "Brug.kvp: Foutief bestandsformaat (code 8)."},
      {"empty file", "", "Brug.kvp: Foutief bestandsformaat (code 8)."},
      {"scrambled bytes flipped",
       good.substr(0, 60) + std::string(good.size() - 60, '\x5A'),
       "Brug.kvp: Foutief bestandsformaat (code "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(path, c.bytes);
    messages_.ClearCalls();
    TProject history(&services_);
    history.NewDocument();
    history.BeginStep(true);
    history.Current().ProjectName = "Open document";
    EXPECT_FALSE(history.OpenDocument(path, ""));
    ASSERT_FALSE(messages_.Messages().empty());
    EXPECT_EQ(messages_.Messages().back().rfind(c.message, 0), 0u) << messages_.Messages().back();
    // The document that was open stays open, with its history.
    EXPECT_EQ(history.Current().ProjectName, "Open document");
    EXPECT_EQ(history.UndoCount(), 2u);
  }
  messages_.ClearCalls();
  TProject history(&services_);
  EXPECT_FALSE(history.OpenDocument(temp_.Path("Missing.kvp"), ""));
  EXPECT_EQ(messages_.Messages(), std::vector<std::string>{"Missing.kvp: Niet gevonden (code 3)."});
}

TEST_F(ProjectDocumentTest, AnIndexFileIsNoProjectFile) {
  auto d = WorkedExample();
  ASSERT_TRUE(d->SaveIndexFile(temp_.Path("Brug.kvp"), false, false));
  TProjectData back(&services_);
  EXPECT_FALSE(back.Open(temp_.Path("Brug.kvp"), ""));
  EXPECT_EQ(messages_.Messages().back(), "Brug.kvp: Foutief bestandsformaat (code 95).");
}

TEST_F(ProjectDocumentTest, FailedSaveKeepsModifiedAndPath) {
  auto d = WorkedExample();
  d->Modified = true;
  d->ProjectPath = temp_.Path("Old.kvp");
  // A folder cannot be created below a regular file.
  WriteBytes(temp_.Path("blocker"), "x");
  EXPECT_FALSE(d->SaveAll(temp_.Path("blocker/sub/New.kvp")));
  EXPECT_TRUE(d->Modified);
  EXPECT_EQ(d->ProjectPath, temp_.Path("Old.kvp"));
  ASSERT_FALSE(messages_.Messages().empty());
  EXPECT_EQ(messages_.Messages().back().rfind("New.kvp: Fout bij schrijven (code ", 0), 0u);
}

TEST_F(ProjectDocumentTest, SaveWritesTheIndexFileOnlyWhenBoundCentrallyOrLocally) {
  const struct {
    std::uint8_t binding;
    bool indexWritten;
  } cases[] = {{index_binding::kCentral, true},
               {index_binding::kLocal, true},
               {index_binding::kNone, false},
               {index_binding::kCentralOnline, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.binding));
    testing::TempFolder folder;
    auto d = WorkedExample();
    d->IndexPath = folder.Path("Bound.kvi");
    d->IndexBinding = c.binding;
    d->Modified = true;
    ASSERT_TRUE(d->SaveAll(folder.Path("P.kvp")));
    EXPECT_TRUE(testing::Exists(folder.Path("P.kvp")));
    EXPECT_EQ(testing::Exists(folder.Path("Bound.kvi")), c.indexWritten);
    EXPECT_FALSE(d->Modified);
    EXPECT_EQ(d->ProjectPath, folder.Path("P.kvp"));
  }
}

TEST_F(ProjectDocumentTest, SetPropertiesCutsTextsAndComparesDays) {
  TProjectData d(&services_);
  const std::string longText(60, 'x');
  EXPECT_FALSE(d.SetProperties(longText, "k", Day(2008, 1, 14), Day(2008, 1, 15), "c"));
  EXPECT_EQ(d.ProjectName.size(), 50u);
  EXPECT_EQ(d.StartOfWorks, Day(2008, 1, 14));  // stored all the same
  EXPECT_TRUE(d.SetProperties("p", "k", Day(2008, 1, 15) + 0.25, Day(2008, 1, 15) + 0.5, "c"));
}

TEST_F(ProjectDocumentTest, CopyIsIndependent) {
  auto d = WorkedExample();
  TProjectData copy(&services_);
  copy.CopyFrom(*d);
  copy.IndexTable->SetFigure(1, 2, false, 110.0);
  copy.Installments->ChangeInstallment(1, "Anders", {}, 20000.0, 0);
  copy.ProjectName = "Kopie";
  EXPECT_EQ(d->IndexTable->GetIndex(MonthKeyOfYearMonth(2008, 2), 1).Figure, 102.0);
  EXPECT_EQ(d->Installments->Name(1), "Termijn 1");
  EXPECT_EQ(d->Installments->Amount(1), 10000.0);
  EXPECT_EQ(d->ProjectName, "Brug");
  // The copy's installments refer to the copy's own index table.
  EXPECT_EQ(copy.Installments->IndexTable(), copy.IndexTable.get());
}

}  // namespace
}  // namespace pc::project
