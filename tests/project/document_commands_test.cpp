// The document commands with a window that answers from a script.
#include "project/document_commands.h"

#include <gtest/gtest.h>

#include <deque>

#include "project_test_support.h"

namespace pc::project {
namespace {

using testing::Day;
using testing::WriteBytes;

class ScriptedWindow : public TDocumentWindow {
 public:
  std::optional<std::string> ChooseProjectToOpen(const std::string& initialFolder, const std::string&,
                                                 const std::string& title) override {
    openFolder = initialFolder;
    openTitle = title;
    return Next();
  }
  std::optional<std::string> ChooseProjectToSave(const std::string& initialFolder,
                                                 const std::string& proposedName, const std::string&,
                                                 const std::string&, const std::string&) override {
    saveFolder = initialFolder;
    proposed = proposedName;
    ++saveDialogs;
    return Next();
  }
  std::optional<std::string> ChooseExportFolder() override { return Next(); }
  bool ShowIndexExportDialog(std::string& path, int& kind, std::optional<TPicture>&) override {
    auto next = Next();
    if (!next) return false;
    path = *next;
    kind = 1;
    return true;
  }
  bool AdvancedIndexExport() const override { return advanced; }
  void LoadPages() override { ++pageLoads; }
  void UpdateWindowState() override {}
  void ClearGridStates() override {}
  void RefreshLogo() override {}
  void ReloadPeriods() override {}

  std::optional<std::string> Next() {
    if (answers.empty()) return std::nullopt;
    auto a = answers.front();
    answers.pop_front();
    return a;
  }
  std::deque<std::optional<std::string>> answers;
  std::string openFolder, openTitle, saveFolder, proposed;
  int saveDialogs = 0, pageLoads = 0;
  bool advanced = false;
};

class DocumentCommandsTest : public testing::ProjectFixture {
 protected:
  DocumentCommandsTest() : history_(&services_), commands_(history_, settings_, messages_, window_) {
    history_.NewDocument();
    messages_.ClearCalls();
  }
  void Modify(const std::string& name) {
    history_.BeginStep(true);
    history_.Current().ProjectName = name;
  }
  TProject history_;
  ScriptedWindow window_;
  TDocumentCommands commands_;
};

TEST(ProposedNameTest, ProposedNames) {
  EXPECT_EQ(ProposedProjectFileName("", "A/B.C?"), "A_B_C_");
  EXPECT_EQ(ProposedProjectFileName("", ""), "Nieuw Project");
  EXPECT_EQ(ProposedProjectFileName("C:\\Werk\\Brug.kvp", "Anders"), "Brug");
  EXPECT_EQ(ProposedProjectFileName("/werk/Brug.kvp", ""), "Brug");
}

TEST_F(DocumentCommandsTest, SaveAsAsksToSwitchToTheIndexFileBesideIt) {
  for (const bool sibling : {true, false}) {
    SCOPED_TRACE(sibling ? "Brug.kvi" : "Indices.kvi only");
    testing::TempFolder werk;
    // Empty index files beside the project.
    TProjectData writer(&services_);
    writer.EnsureModels();
    if (sibling) {
      ASSERT_TRUE(writer.SaveIndexFile(werk.Path("Brug.kvi"), true, false));
    }
    ASSERT_TRUE(writer.SaveIndexFile(werk.Path("Indices.kvi"), true, false));
    messages_.ClearCalls();
    messages_.QueueDialogAnswer(TDialogAnswer::daJa);
    window_.answers = {werk.Path("Brug.kvp")};
    ASSERT_TRUE(commands_.SaveProject(true));
    ASSERT_EQ(messages_.Calls().size(), 1u);
    EXPECT_EQ(messages_.Calls()[0].Mode, TDialogMode::dmQuestion);
    EXPECT_EQ(messages_.Calls()[0].Text1, kSwitchIndexQuestion);
    EXPECT_EQ(history_.Current().IndexPath, werk.Path(sibling ? "Brug.kvi" : "Indices.kvi"));
    EXPECT_EQ(settings_.filePath, werk.Folder());
  }
}

TEST_F(DocumentCommandsTest, SaveAsIntoAnEmptyFolderAsksNothing) {
  window_.answers = {temp_.Path("leeg/Brug.kvp")};
  ASSERT_TRUE(commands_.SaveProject(false));  // never saved: a save-as
  EXPECT_EQ(window_.proposed, "Nieuw Project");
  EXPECT_TRUE(messages_.Calls().empty());
  EXPECT_EQ(history_.Current().ProjectPath, temp_.Path("leeg/Brug.kvp"));
  EXPECT_FALSE(history_.IsModified());
  // Saved once, a plain save asks for no file.
  Modify("Brug");
  ASSERT_TRUE(commands_.SaveProject(false));
  EXPECT_EQ(window_.saveDialogs, 1);
}

TEST_F(DocumentCommandsTest, SaveQuestionThenCancelledSaveDialogOpensNothing) {
  Modify("Ongered");
  ASSERT_TRUE(history_.Current().SaveProjectFile(temp_.Path("Ander.kvp")));
  messages_.QueueDialogAnswer(TDialogAnswer::daJa);
  window_.answers = {std::nullopt};
  EXPECT_FALSE(commands_.OpenProject(true, temp_.Path("Ander.kvp"), ""));
  EXPECT_EQ(messages_.Calls()[0].Mode, TDialogMode::dmSaveQuery);
  EXPECT_EQ(messages_.Calls()[0].Text1, "Ongered");
  EXPECT_EQ(history_.Current().ProjectName, "Ongered");
  EXPECT_TRUE(history_.IsModified());
}

TEST_F(DocumentCommandsTest, CloseAnswers) {
  const struct {
    TDialogAnswer answer;
    bool closed;
  } cases[] = {{TDialogAnswer::daNee, true},
               {TDialogAnswer::daAnnuleren, false},
               {TDialogAnswer::daNone, false}};
  for (const auto& c : cases) {
    Modify("Werk");
    messages_.QueueDialogAnswer(c.answer);
    EXPECT_EQ(commands_.CloseProject(true), c.closed);
    EXPECT_EQ(history_.Current().ProjectName, c.closed ? "" : "Werk");
  }
}

TEST_F(DocumentCommandsTest, OpenRecordsTheRecentListAndKeepsTheDocumentOnFailure) {
  Modify("Brug");
  ASSERT_TRUE(history_.Current().SaveProjectFile(temp_.Path("Brug.kvp")));
  window_.answers = {temp_.Path("Brug.kvp")};
  ASSERT_TRUE(commands_.OpenProject(false, "", ""));
  EXPECT_EQ(window_.openTitle, "Project openen");
  EXPECT_EQ(settings_.RecentProjects, std::vector<std::string>{temp_.Path("Brug.kvp")});
  EXPECT_EQ(window_.pageLoads, 1);
  Modify("Bezig");
  EXPECT_FALSE(commands_.OpenProject(false, temp_.Path("Weg.kvp"), ""));
  EXPECT_EQ(history_.Current().ProjectName, "Bezig");
  EXPECT_EQ(settings_.RecentProjects.size(), 1u);
}

TEST_F(DocumentCommandsTest, ExportWritesIntoTheChosenFolder) {
  window_.answers = {temp_.Folder() + "export"};
  ASSERT_TRUE(commands_.ExportIndexFile(""));
  EXPECT_TRUE(testing::Exists(temp_.Path("export/Indices.kvi")));
  window_.answers = {std::nullopt};
  EXPECT_FALSE(commands_.ExportIndexFile(""));
  // An existing Indices.kvi is replaced only after the question.
  messages_.ClearCalls();
  messages_.QueueAskAnswer(2);
  window_.answers = {temp_.Folder() + "export"};
  EXPECT_FALSE(commands_.ExportIndexFile(""));
  ASSERT_EQ(messages_.Calls().size(), 1u);
  EXPECT_EQ(messages_.Calls()[0].Title, "Bestand bestaat al");
  messages_.QueueAskAnswer(1);
  window_.answers = {temp_.Folder() + "export"};
  EXPECT_TRUE(commands_.ExportIndexFile(""));
  window_.advanced = true;
  window_.answers = {temp_.Path("Online.kvi")};
  ASSERT_TRUE(commands_.ExportIndexFile(""));
  TProjectData back(&services_);
  back.EnsureModels();
  ASSERT_TRUE(back.LoadIndexFile(temp_.Path("Online.kvi"), TLoadMode::Fresh));
  EXPECT_EQ(back.OnlineIndex, 1);
}

}  // namespace
}  // namespace pc::project
