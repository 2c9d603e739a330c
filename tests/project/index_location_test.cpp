#include "project/index_location.h"

#include <gtest/gtest.h>

#include "project/merge_questions.h"
#include "project_test_support.h"

namespace pc::project {
namespace {

using testing::Exists;
using testing::TempFolder;
using testing::WriteBytes;

// The location rule with real files: which files exist decides.
TEST(IndexLocationTest, LocationRuleFirstMatchWins) {
  struct Case {
    const char* name;
    const char* given;          // index path given by the caller ("" none)
    const char* indexFileName;  // name stored in the project
    bool siblingExists;         // Brug.kvi beside Brug.kvp
    bool localDefaultExists;    // Indices.kvi beside Brug.kvp
    const char* expected;       // "given", "central-named", "sibling", "local", "default"
  };
  const Case cases[] = {
      {"given path wins over everything", "/x/Other.kvi", "Online.kvi", true, true, "given"},
      {"stored name wins even when missing", "", "Online.kvi", true, true, "central-named"},
      {"sibling before local default", "", "", true, true, "sibling"},
      {"local default when no sibling", "", "", false, true, "local"},
      {"default index file as last resort", "", "", false, false, "default"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder temp;
    const std::string central = temp.Folder() + "central/";
    const std::string project = temp.Path("werk/Brug.kvp");
    WriteBytes(project, "x");
    if (c.siblingExists) WriteBytes(temp.Path("werk/Brug.kvi"), "x");
    if (c.localDefaultExists) WriteBytes(temp.Path("werk/Indices.kvi"), "x");
    const std::string chosen = ChooseIndexFile(project, c.given, c.indexFileName, central, Exists);
    const std::string expected = std::string(c.expected) == "given"           ? std::string(c.given)
                                 : std::string(c.expected) == "central-named" ? central + c.indexFileName
                                 : std::string(c.expected) == "sibling"       ? temp.Path("werk/Brug.kvi")
                                 : std::string(c.expected) == "local" ? temp.Path("werk/Indices.kvi")
                                                                      : central + "Indices.kvi";
    EXPECT_EQ(chosen, expected);
  }
}

TEST(IndexLocationTest, ExportNamesAreNormalised) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"Brug", "/central/Brug.kvi"},
      {"", "/central/Indices.kvi"},
      {"D:\\Export\\Brug.txt", "D:\\Export\\Brug.kvi"},
      {"D:\\Export\\", "D:\\Export\\Indices.kvi"},
      {"/data/brug.v2.kvi", "/data/brug.v2.kvi"},
      {"/data/brug", "/data/brug.kvi"},
  };
  for (const auto& c : cases) EXPECT_EQ(NormaliseExportPath(c.path, "/central/"), c.expected) << c.path;
}

TEST(IndexLocationTest, DialogTexts) {
  EXPECT_EQ(OverwriteQuestionText("D:\\Export\\Brug.kvi"),
            "Het bestand \"Brug.kvi\" bestaat al in de map \"D:\\Export\".");
  EXPECT_EQ(IndexPictureSizeMessage(), "Het pictogram moet 16 bij 16 pixels zijn.");
  EXPECT_EQ(MissingPercentageText(12.5), "12,5%");
  EXPECT_EQ(MissingPercentageText(40), "40%");
  EXPECT_EQ(MissingPercentageText(0.1 + 0.2), "0,3%");
  EXPECT_EQ(MissingPercentageText(0.00001), "0,00001%");
  EXPECT_EQ(MissingPercentageText(-2.5), "-2,5%");
  EXPECT_EQ(MissingPercentageText(0), "");
  const auto choices = ReplacementChoices({"lonen", "Brandstof", "Asfalt"});
  ASSERT_EQ(choices.size(), 4u);
  EXPECT_EQ(choices[0].Caption, "[Verwijder uit project]");
  EXPECT_EQ(choices[0].Answer, -1);
  EXPECT_EQ(choices[1].Caption, "Asfalt");
  EXPECT_EQ(choices[1].Answer, 2);
  EXPECT_EQ(choices[3].Caption, "lonen");
  EXPECT_EQ(choices[3].Answer, 0);
  EXPECT_EQ(CombineQuestionText("Brug.kvi"),
            "In het Brug.kvi ontbreken enkele bestanddelen, welke voor het project zijn vereist. "
            "Er zijn nu twee mogelijkheden:");
}

TEST(IndexLocationTest, SameFolderIgnoresCaseButNotEmptiness) {
  EXPECT_TRUE(SameFolder("C:\\Werk\\", "c:\\WERK\\"));
  EXPECT_FALSE(SameFolder("", ""));
  EXPECT_FALSE(SameFolder("/a/", "/b/"));
}

}  // namespace
}  // namespace pc::project
