// Index files: the transfer between table and file, the three load modes,
// the binding, export and the default index file.
#include <gtest/gtest.h>

#include "project/picture_strings.h"
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

struct FileComponent {
  std::string name;
  std::vector<std::pair<std::pair<int, int>, double>> figures;
};

// A 16 x 16 bitmap of 24 bits per pixel.
TPicture SmallBitmap(unsigned char shade) {
  std::string bmp(54 + 16 * 16 * 3, '\0');
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bmp.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, 16);
  put32(22, 16);
  bmp[26] = 1;
  bmp[28] = 24;
  put32(34, 16 * 16 * 3);
  for (std::size_t i = 54; i < bmp.size(); ++i) bmp[i] = static_cast<char>(shade);
  TPicture picture;
  EXPECT_TRUE(PictureFromFileBytes(PictureKind::Bitmap, bmp, picture));
  return picture;
}

class IndexPersistenceTest : public ProjectFixture {
 protected:
  // Writes an index file with the period 2008-01..2008-12.
  void WriteIndexFile(const std::string& path, const std::vector<FileComponent>& components,
                      std::uint8_t online = 0) {
    storage::TStorageFile f(kFileVersion, storage::StorageDocKind::Index, path);
    f.FirstMonth = Day(2008, 1, 1);
    f.LastMonth = Day(2008, 12, 1);
    f.Online = online;
    int e = 0;
    for (const auto& c : components) {
      ++e;
      f.Component(e).Name = c.name;
      f.Component(e).Position = static_cast<std::uint8_t>(e);
      for (const auto& [ym, v] : c.figures)
        f.AddFigure(static_cast<std::uint8_t>(e), v, Day(ym.first, ym.second, 1));
    }
    f.ComponentCount = static_cast<std::uint8_t>(e);
    ASSERT_EQ(f.Save(), storage::KlWriteResult::Ok);
  }

  // A project document with components (name, percentage) in 2008.
  std::unique_ptr<TProjectData> Project(const std::vector<std::pair<std::string, double>>& comps) {
    auto d = NewDocument();
    d->PriceReferenceDate = d->TenderDate = d->StartOfWorks = Day(2008, 1, 1);
    SetPeriod(*d->IndexTable, 2008, 1, 2008, 12);
    for (const auto& [name, percentage] : comps) {
      const int slot = testing::AddComponent(*d->IndexTable, name, percentage);
      SetFigures(*d->IndexTable, slot, {{{2008, 1}, 50.0}});
    }
    return d;
  }

  double Figure(const TProjectData& d, const std::string& name, int y, int m) {
    const int slot = d.IndexTable->FindComponent(name);
    return d.IndexTable->GetIndex(MonthKeyOfYearMonth(y, m), d.IndexTable->PositionOf(slot)).Figure;
  }
};

TEST_F(IndexPersistenceTest, OnlyOwnFiguresAndThePeriodAreWritten) {
  auto d = NewDocument();
  SetPeriod(*d->IndexTable, 2006, 1, 2009, 12);
  TComponentValues v;
  v.Name = "Lonen";
  v.TrendKind = trend_kind::kFromFigures;
  const int slot = d->IndexTable->AddComponent(v);
  SetFigures(*d->IndexTable, slot, {{{2008, 1}, 100.0}, {{2008, 3}, 103.0}});
  const std::string path = temp_.Path("T.kvi");
  ASSERT_TRUE(d->SaveIndexFile(path, false, false));

  storage::TStorageFile f(kFileVersion, storage::StorageDocKind::Index, path);
  ASSERT_EQ(f.Load(), storage::StorageLoadResult::Ok);
  EXPECT_EQ(f.FirstMonth, Day(2006, 1, 1));
  EXPECT_EQ(f.LastMonth, Day(2009, 12, 1));
  ASSERT_EQ(f.FigureCount(), 2u);  // February carries January; April on is trend
  EXPECT_EQ(f.GetFigure(0).Month, Day(2008, 1, 1));
  EXPECT_EQ(f.GetFigure(1).Month, Day(2008, 3, 1));
  EXPECT_EQ(f.Component(1).TrendKind, trend_kind::kFromFigures);
}

TEST_F(IndexPersistenceTest, WriteBackHoldsEveryComponentButTheProjectFileOnlyThoseInUse) {
  auto d = Project({{"A", 25}, {"B", 0}});
  d->IndexPath = temp_.Path("Idx.kvi");
  d->IndexBinding = index_binding::kLocal;
  ASSERT_TRUE(d->SaveAll(temp_.Path("P.kvp")));
  storage::TStorageFile project(kFileVersion, storage::StorageDocKind::Project, temp_.Path("P.kvp"));
  ASSERT_EQ(project.Load(), storage::StorageLoadResult::Ok);
  EXPECT_EQ(project.Component(1).Name, "A");
  EXPECT_EQ(project.Component(2).Name, "");
  storage::TStorageFile index(kFileVersion, storage::StorageDocKind::Index, temp_.Path("Idx.kvi"));
  ASSERT_EQ(index.Load(), storage::StorageLoadResult::Ok);
  EXPECT_EQ(index.Component(1).Name, "A");
  EXPECT_EQ(index.Component(2).Name, "B");
}

TEST_F(IndexPersistenceTest, SavingAProjectKeepsThePictureOfItsIndexFile) {
  auto source = Project({{"A", 25}});
  const TPicture icon = SmallBitmap(0x40);
  source->IndexPicture = std::make_shared<const TPicture>(icon);
  ASSERT_TRUE(source->ExportIndexFile(Central("Indices.kvi"), 0));
  ASSERT_TRUE(source->SaveProjectFile(temp_.Path("P.kvp")));

  TProjectData d(&services_);
  ASSERT_TRUE(d.Open(temp_.Path("P.kvp"), ""));
  ASSERT_TRUE(d.IndexPicture);
  EXPECT_EQ(*d.IndexPicture, icon);
  ASSERT_TRUE(d.SaveAll(temp_.Path("P.kvp")));
  TProjectData again(&services_);
  ASSERT_TRUE(again.Open(temp_.Path("P.kvp"), ""));
  ASSERT_TRUE(again.IndexPicture);
  EXPECT_EQ(*again.IndexPicture, icon);
}

TEST_F(IndexPersistenceTest, OpeningSynchronisesWithTheIndexFile) {
  WriteIndexFile(Central("Indices.kvi"),
                 {{"Lonen", {{{2008, 1}, 100.0}, {{2008, 2}, 104.0}}}, {"Extra", {{{2008, 1}, 7.0}}}});
  auto d = Project({{"LONEN", 40}});
  ASSERT_TRUE(d->SaveProjectFile(temp_.Path("P.kvp")));

  TProjectData back(&services_);
  ASSERT_TRUE(back.Open(temp_.Path("P.kvp"), ""));
  EXPECT_TRUE(questions_.CombineQuestions.empty());
  ASSERT_EQ(back.IndexTable->Count(), 2);
  // The project's component keeps its own settings, the figures are the file's.
  EXPECT_EQ(back.IndexTable->GetComponent(1).Name, "LONEN");
  EXPECT_EQ(back.IndexTable->GetComponent(1).Percentage, 40.0);
  EXPECT_EQ(Figure(back, "Lonen", 2008, 2), 104.0);
  EXPECT_EQ(Figure(back, "Extra", 2008, 1), 7.0);
  EXPECT_EQ(back.IndexPath, Central("Indices.kvi"));
  EXPECT_EQ(back.IndexBinding, index_binding::kCentral);
  EXPECT_EQ(back.IndexTable->TableKind(), table_kind::kEditable);
}

TEST_F(IndexPersistenceTest, MissingComponentsReadOnlyOrCombined) {
  for (const bool combine : {false, true}) {
    SCOPED_TRACE(combine ? "Combineren" : "Alleen Lezen");
    testing::TempFolder folder;
    const std::string kvi = folder.Path("Brug.kvi");
    WriteIndexFile(kvi, {{"Lonen", {{{2008, 1}, 100.0}}}});
    // The file's period is 2008; the project's reaches into 2009.
    auto d = Project({{"Lonen", 40}, {"Staal", 30}});
    SetPeriod(*d->IndexTable, 2007, 6, 2009, 6);
    SetFigures(*d->IndexTable, d->IndexTable->FindComponent("Staal"), {{{2009, 5}, 80.0}});
    ASSERT_TRUE(d->SaveProjectFile(folder.Path("Brug.kvp")));
    questions_.QueueCombineAnswer(combine);
    TProjectData back(&services_);
    ASSERT_TRUE(back.Open(folder.Path("Brug.kvp"), ""));
    ASSERT_EQ(questions_.CombineQuestions.back(), "Brug.kvi");
    EXPECT_EQ(back.IndexTable->Count(), 2);
    EXPECT_EQ(Figure(back, "Staal", 2009, 5), 80.0);
    if (combine) {
      EXPECT_EQ(back.IndexPath, kvi);
      EXPECT_EQ(back.IndexBinding, index_binding::kLocal);
      EXPECT_EQ(back.IndexTable->TableKind(), table_kind::kEditable);
      EXPECT_EQ(back.IndexTable->PeriodStart(), MonthKeyOfYearMonth(2007, 6));
      EXPECT_EQ(back.IndexTable->PeriodEnd(), MonthKeyOfYearMonth(2009, 6));
      EXPECT_EQ(Figure(back, "Lonen", 2008, 1), 100.0);  // the file's figure replaces 50
    } else {
      EXPECT_EQ(back.IndexPath, "");
      EXPECT_EQ(back.IndexBinding, index_binding::kNone);
      EXPECT_EQ(back.IndexTable->TableKind(), table_kind::kWriteProtected);
      EXPECT_EQ(Figure(back, "Lonen", 2008, 1), 50.0);  // the project's own
    }
  }
}

TEST_F(IndexPersistenceTest, StoredNameOfAVanishedFileIsNotFoundThenAsked) {
  auto d = Project({{"Lonen", 40}, {"Staal", 30}});
  d->IndexFileName = "Weg.kvi";
  ASSERT_TRUE(d->SaveProjectFile(temp_.Path("P.kvp")));
  TProjectData back(&services_);
  ASSERT_TRUE(back.Open(temp_.Path("P.kvp"), ""));
  EXPECT_EQ(messages_.Messages(), std::vector<std::string>{"Weg.kvi: Niet gevonden (code 3)."});
  EXPECT_EQ(questions_.CombineQuestions, std::vector<std::string>{"Weg.kvi"});
  EXPECT_EQ(back.IndexBinding, index_binding::kNone);
}

// A project file received from elsewhere may name an index file outside the
// central folder; the project must never read or write such a file.
TEST_F(IndexPersistenceTest, StoredNameWithAFolderPartIsNotFollowed) {
  const std::string outside = temp_.Path("elders/Evil.kvi");
  for (const std::string name : {"../elders/Evil.kvi", "..\\elders\\Evil.kvi", "..", "sub/Evil.kvi"}) {
    for (const bool outsideExists : {true, false}) {
      SCOPED_TRACE(name + (outsideExists ? " (file there)" : " (no file)"));
      std::filesystem::remove_all(temp_.Path("elders"));
      if (outsideExists) {
        std::filesystem::create_directories(temp_.Path("elders"));
        WriteIndexFile(outside, {{"Lonen", {{{2008, 1}, 999.0}}}});
      }
      const std::string before = outsideExists ? testing::ReadBytes(outside) : std::string();
      auto d = Project({{"Lonen", 40}});
      d->IndexFileName = name;
      ASSERT_TRUE(d->SaveProjectFile(temp_.Path("P.kvp")));
      messages_.ClearCalls();
      TProjectData back(&services_);
      ASSERT_TRUE(back.Open(temp_.Path("P.kvp"), ""));
      ASSERT_EQ(messages_.Messages().size(), 1u);
      EXPECT_NE(messages_.Messages()[0].find("Niet gevonden (code 3)."), std::string::npos);
      EXPECT_TRUE(questions_.CombineQuestions.empty());
      EXPECT_EQ(back.IndexPath, "");
      EXPECT_EQ(back.IndexBinding, index_binding::kNone);
      EXPECT_EQ(back.IndexTable->TableKind(), table_kind::kWriteProtected);
      EXPECT_EQ(Figure(back, "Lonen", 2008, 1), 50.0);  // the project's own figure
      ASSERT_TRUE(back.SaveAll(temp_.Path("P.kvp")));
      EXPECT_EQ(testing::Exists(outside), outsideExists);
      if (outsideExists) {
        EXPECT_EQ(testing::ReadBytes(outside), before);
      }
    }
  }
}

// The project keeps the index file's name as Windows-1252 text, the file
// system has it in UTF-8 (as the update pass writes downloaded files).
TEST_F(IndexPersistenceTest, IndexFileNameIsTextAndUtf8OnDisk) {
  const std::string onDisk = Central("\xC3\x8Dndices \xE2\x82\xAC.kvi");
  WriteIndexFile(onDisk, {{"Lonen", {{{2008, 1}, 123.0}}}});
  auto d = Project({{"Lonen", 40}});
  ASSERT_TRUE(d->SwitchIndexFile(onDisk, false));
  EXPECT_EQ(d->IndexFileName, "\xCDndices \x80.kvi");
  ASSERT_TRUE(d->SaveProjectFile(temp_.Path("P.kvp")));
  TProjectData back(&services_);
  ASSERT_TRUE(back.Open(temp_.Path("P.kvp"), ""));
  EXPECT_TRUE(messages_.Messages().empty());
  EXPECT_EQ(back.IndexPath, onDisk);
  EXPECT_EQ(back.IndexBinding, index_binding::kCentral);
  EXPECT_EQ(Figure(back, "Lonen", 2008, 1), 123.0);
}

TEST_F(IndexPersistenceTest, OnlineIndexFileIsFixedAndBoundByName) {
  WriteIndexFile(Central("Online.kvi"), {{"Lonen", {{{2008, 1}, 100.0}}}}, 1);
  const auto entry = settings_.AddDownloadedIndexInfo({"online.KVI", "CBS lonen", ""});
  auto d = Project({{"Lonen", 40}});
  ASSERT_TRUE(d->SwitchIndexFile(Central("Online.kvi"), false));
  EXPECT_EQ(d->IndexFileName, "Online.kvi");
  EXPECT_EQ(d->IndexTable->TableKind(), table_kind::kDownloaded);
  EXPECT_EQ(d->IndexBinding, index_binding::kCentralOnline);
  EXPECT_EQ(d->OnlineInfo, entry);
  // Bound to an online file, a save leaves that file alone.
  const std::string before = ReadBytes(Central("Online.kvi"));
  ASSERT_TRUE(d->SaveAll(temp_.Path("P.kvp")));
  EXPECT_EQ(ReadBytes(Central("Online.kvi")), before);
}

TEST_F(IndexPersistenceTest, SwitchingKeepsTheProjectsPercentages) {
  WriteIndexFile(Central("Nieuw.kvi"), {{"lonen", {{{2008, 2}, 120.0}}}, {"Olie", {}}});
  auto d = Project({{"Lonen", 40}});
  ASSERT_TRUE(d->SwitchIndexFile(Central("Nieuw.kvi"), false));
  EXPECT_TRUE(questions_.SwitchDialogs.empty());
  EXPECT_EQ(d->IndexTable->GetComponent(1).Name, "lonen");
  EXPECT_EQ(d->IndexTable->GetComponent(1).Percentage, 40.0);
  EXPECT_EQ(Figure(*d, "lonen", 2008, 2), 120.0);
  EXPECT_EQ(Figure(*d, "lonen", 2008, 1), 0.0);  // the project's own figure is gone
  EXPECT_TRUE(d->IndexTable->ComponentExists("Olie"));
  EXPECT_EQ(d->IndexPath, Central("Nieuw.kvi"));
}

TEST_F(IndexPersistenceTest, SwitchingWithMissingComponents) {
  WriteIndexFile(Central("Nieuw.kvi"), {{"Lonen", {{{2008, 2}, 120.0}}}, {"Bitumen", {{{2008, 2}, 9.0}}}});
  const struct {
    const char* name;
    bool confirmed;
    std::vector<int> answers;
    bool switched;
    const char* staalBecomes;  // "" removed, else the name it has afterwards
  } cases[] = {
      {"cancelled", false, {}, false, "Staal"},
      {"removed", true, {-1}, true, ""},
      {"replaced", true, {1}, true, "Bitumen"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    questions_.SwitchDialogs.clear();
    auto d = Project({{"Lonen", 40}, {"Staal", 30}});
    d->StartOfWorks = Day(2008, 1, 1);
    d->Installments->SetProjectDates(d->PriceReferenceDate, d->TenderDate, d->StartOfWorks);
    TComponentAmounts amounts{};
    const int staal = d->IndexTable->FindComponent("Staal");
    amounts[static_cast<std::size_t>(staal)] = 300;
    ASSERT_TRUE(d->Installments->InsertInstallment("T", amounts, 0, 1000, Day(2008, 3, 1)));
    questions_.QueueSwitchAnswer({c.confirmed, c.answers});
    EXPECT_EQ(d->SwitchIndexFile(Central("Nieuw.kvi"), false), c.switched);
    ASSERT_EQ(questions_.SwitchDialogs.size(), 1u);
    ASSERT_EQ(questions_.SwitchDialogs[0].size(), 1u);
    EXPECT_EQ(questions_.SwitchDialogs[0][0].Name, "Staal");
    EXPECT_EQ(questions_.SwitchDialogs[0][0].Percentage, 30.0);
    if (!c.switched) {
      EXPECT_EQ(d->IndexFileName, "");
      EXPECT_EQ(Figure(*d, "Staal", 2008, 1), 50.0);
      EXPECT_EQ(d->IndexTable->Count(), 2);
      continue;
    }
    EXPECT_EQ(d->IndexFileName, "Nieuw.kvi");
    if (std::string(c.staalBecomes).empty()) {
      EXPECT_FALSE(d->IndexTable->ComponentExists("Staal"));
      EXPECT_EQ(d->Installments->ComponentAmount(1, staal), 0.0);
    } else {
      const int slot = d->IndexTable->FindComponent(c.staalBecomes);
      EXPECT_EQ(slot, staal);
      EXPECT_EQ(d->IndexTable->RecordOfSlot(slot).Percentage, 30.0);
      EXPECT_EQ(Figure(*d, c.staalBecomes, 2008, 2), 9.0);
      EXPECT_EQ(d->Installments->ComponentAmount(1, staal), 300.0);
    }
  }
}

TEST_F(IndexPersistenceTest, SwitchingAnUnusedTableLeavesNoAmountsToTheNewComponents) {
  storage::TStorageFile f(kFileVersion, storage::StorageDocKind::Index, Central("V.kvi"));
  f.FirstMonth = Day(2008, 1, 1);
  f.LastMonth = Day(2008, 12, 1);
  f.Component(1).Name = "Nieuw";
  f.Component(1).Variable = true;
  f.ComponentCount = 1;
  ASSERT_EQ(f.Save(), storage::KlWriteResult::Ok);
  auto d = Project({{"Oud", 0}});  // in the table, not taking part
  d->Installments->SetProjectDates(d->PriceReferenceDate, d->TenderDate, d->StartOfWorks);
  TComponentAmounts amounts{};
  amounts[1] = 700;
  ASSERT_TRUE(d->Installments->InsertInstallment("T", amounts, 0, 1000, Day(2008, 3, 1)));
  ASSERT_TRUE(d->SwitchIndexFile(Central("V.kvi"), false));
  ASSERT_EQ(d->IndexTable->FindComponent("Nieuw"), 1);
  EXPECT_EQ(d->Installments->ComponentAmount(1, 1), 0.0);
}

TEST_F(IndexPersistenceTest, SwitchingToTheDefaultNameOrTheSameNameNeedsForce) {
  WriteIndexFile(Central("Indices.kvi"), {{"Lonen", {{{2008, 2}, 120.0}}}});
  auto d = Project({{"Lonen", 40}});
  EXPECT_FALSE(d->SwitchIndexFile(Central("INDICES.KVI"), false));
  EXPECT_EQ(Figure(*d, "Lonen", 2008, 2), 50.0);
  EXPECT_TRUE(d->SwitchIndexFile(Central("Indices.kvi"), true));
  EXPECT_EQ(Figure(*d, "Lonen", 2008, 2), 120.0);
}

TEST_F(IndexPersistenceTest, AProjectOnItsOwnIndexFileMovesToTheDefaultFile) {
  WriteIndexFile(Central("Indices.kvi"), {{"Lonen", {{{2008, 2}, 120.0}}}});
  auto d = Project({{"Lonen", 40}});
  d->IndexPath = temp_.Path("werk/P.kvi");
  d->UpdateIndexBinding();
  ASSERT_EQ(d->IndexBinding, index_binding::kLocal);
  ASSERT_TRUE(d->SwitchIndexFile(Central("Indices.kvi"), false));
  EXPECT_EQ(d->IndexPath, Central("Indices.kvi"));
  EXPECT_EQ(d->IndexBinding, index_binding::kCentral);
  EXPECT_EQ(Figure(*d, "Lonen", 2008, 2), 120.0);
  // Bound to it now, choosing it again changes nothing.
  EXPECT_FALSE(d->SwitchIndexFile(Central("Indices.kvi"), false));
}

TEST_F(IndexPersistenceTest, ExportIntoTheProjectFolderMakesTheBindingLocal) {
  auto d = Project({{"Lonen", 40}});
  d->ProjectPath = temp_.Path("werk/P.kvp");
  d->IndexPath = Central("Indices.kvi");
  d->UpdateIndexBinding();
  ASSERT_EQ(d->IndexBinding, index_binding::kCentral);
  d->IndexPicture = std::make_shared<const TPicture>(SmallBitmap(0x10));
  ASSERT_TRUE(d->ExportIndexFile(temp_.Path("elders/E.kvi"), 1));
  EXPECT_EQ(d->IndexBinding, index_binding::kCentral);
  ASSERT_TRUE(d->ExportIndexFile(temp_.Path("werk/E.kvi"), 1));
  EXPECT_EQ(d->IndexBinding, index_binding::kLocal);
  EXPECT_EQ(d->IndexPath, Central("Indices.kvi"));
  EXPECT_EQ(d->OnlineIndex, 0);

  // Re-opened, the export is an online file with its picture.
  TProjectData other(&services_);
  other.EnsureModels();
  ASSERT_TRUE(other.LoadIndexFile(temp_.Path("werk/E.kvi"), TLoadMode::Fresh));
  EXPECT_EQ(other.OnlineIndex, 1);
  EXPECT_EQ(other.IndexTable->TableKind(), table_kind::kDownloaded);
  ASSERT_TRUE(other.IndexPicture);
  EXPECT_EQ(*other.IndexPicture, SmallBitmap(0x10));
  EXPECT_EQ(Figure(other, "Lonen", 2008, 1), 50.0);
}

TEST_F(IndexPersistenceTest, DamagedIndexFileIsReportedAndNeverOverwritten) {
  WriteIndexFile(Central("Indices.kvi"), {{"Lonen", {{{2008, 1}, 100.0}}}});
  const std::string good = ReadBytes(Central("Indices.kvi"));
  const std::string damaged = good.substr(0, good.size() - 6);
  WriteBytes(Central("Indices.kvi"), damaged);
  auto d = Project({{"Lonen", 40}});
  ASSERT_TRUE(d->SaveProjectFile(temp_.Path("P.kvp")));

  TProjectData back(&services_);
  ASSERT_TRUE(back.Open(temp_.Path("P.kvp"), ""));
  ASSERT_EQ(messages_.Messages().size(), 1u);
  EXPECT_EQ(messages_.Messages()[0].rfind("Indices.kvi: Foutief bestandsformaat (code ", 0), 0u);
  EXPECT_EQ(back.IndexBinding, index_binding::kNone);
  ASSERT_TRUE(back.SaveAll(temp_.Path("P.kvp")));
  EXPECT_EQ(ReadBytes(Central("Indices.kvi")), damaged);
}

TEST_F(IndexPersistenceTest, EnsureDefaultIndexFile) {
  TProjectData d(&services_);
  ASSERT_TRUE(d.EnsureDefaultIndexFile());
  storage::TStorageFile f(kFileVersion, storage::StorageDocKind::Index, Central("Indices.kvi"));
  EXPECT_EQ(f.Load(), storage::StorageLoadResult::Ok);
  EXPECT_EQ(f.ComponentCount, 0);
  EXPECT_TRUE(d.EnsureDefaultIndexFile());  // exists now
  WriteBytes(temp_.Path("blocker"), "x");
  settings_.centralPath = temp_.Path("blocker/central/");
  EXPECT_FALSE(d.EnsureDefaultIndexFile());
}

TEST_F(IndexPersistenceTest, WildValuesInAFileAreLeftOut) {
  storage::TStorageFile f(kFileVersion, storage::StorageDocKind::Index, temp_.Path("W.kvi"));
  f.FirstMonth = Day(2008, 1, 1);
  f.LastMonth = Day(2008, 12, 1);
  f.Component(1).Name = "Lonen";
  f.Component(1).Percentage = std::nan("");
  f.Component(1).StartDate = 1e300;
  f.ComponentCount = 1;
  f.AddFigure(1, 100.0, Day(2008, 1, 1));
  f.AddFigure(1, -5.0, Day(2008, 2, 1));
  f.AddFigure(1, 1e9, Day(2008, 3, 1));
  f.AddFigure(1, 7.0, 1e300);
  f.AddFigure(1, 8.0, std::nan(""));
  f.AddFigure(9, 8.0, Day(2008, 4, 1));
  ASSERT_EQ(f.Save(), storage::KlWriteResult::Ok);
  auto d = NewDocument();
  ASSERT_TRUE(d->LoadIndexFile(temp_.Path("W.kvi"), TLoadMode::Fresh));
  ASSERT_EQ(d->IndexTable->Count(), 1);
  EXPECT_EQ(d->IndexTable->GetComponent(1).Percentage, 0.0);
  EXPECT_EQ(d->IndexTable->GetComponent(1).StartDate, 0.0);
  EXPECT_EQ(Figure(*d, "Lonen", 2008, 3), 100.0);  // carried from January
}

}  // namespace
}  // namespace pc::project
