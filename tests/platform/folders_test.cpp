#include <gtest/gtest.h>

#include "platform/folders.h"
#include "temp_dir.h"

namespace pc::platform {
namespace {

TEST(ShellFolders, ComeFromTheXdgVariablesOrTheHomeFolder) {
  struct Case {
    MemoryEnvironment env;
    const char* documents;
    const char* appData;
  } cases[] = {
      {{{"XDG_DATA_HOME", "/d"}, {"XDG_STATE_HOME", "/s/"}, {"HOME", "/h"}}, "/d", "/s"},
      {{{"HOME", "/home/an"}}, "/home/an/.local/share", "/home/an/.local/state"},
      {{{"HOME", "/home/an/"}}, "/home/an/.local/share", "/home/an/.local/state"},
      // relative paths do not count
      {{{"XDG_DATA_HOME", "rel"}, {"XDG_STATE_HOME", ""}, {"HOME", "/h"}}, "/h/.local/share", "/h/.local/state"},
      {{{"XDG_DATA_HOME", "/d"}}, "/d", ""},
      {{{"HOME", "relative"}}, "", ""},
      {{}, "", ""},
  };
  for (const auto& c : cases) {
    const ShellFolders f = XdgShellFolders(c.env);
    EXPECT_EQ(f.commonDocuments, c.documents);
    EXPECT_EQ(f.commonAppData, c.appData);
  }
}

// Without HOME (cron, a service) the home folder of the password database
// is used, never the program's folder.
TEST(ShellFolders, WithoutHomeComeFromTheAccountsHomeFolder) {
  MemoryEnvironment env;
  env.SetAccountHome("/home/pw/");
  EXPECT_EQ(HomeFolder(env), "/home/pw");
  EXPECT_EQ(XdgShellFolders(env).commonDocuments, "/home/pw/.local/share");
  EXPECT_EQ(XdgShellFolders(env).commonAppData, "/home/pw/.local/state");
  EXPECT_EQ(ConfigHome(env), "/home/pw/.config");
  env.Set("HOME", "/home/an");
  EXPECT_EQ(HomeFolder(env), "/home/an");
  env.Set("HOME", "relative");
  EXPECT_EQ(HomeFolder(env), "/home/pw");
  env.SetAccountHome("");
  EXPECT_EQ(HomeFolder(env), "");

  // The process's own account has a home folder.
  const auto account = ProcessEnvironment().AccountHome();
  ASSERT_TRUE(account.has_value());
  EXPECT_EQ(account->front(), '/');
}

TEST(TempFolder, IsTmpdirWhenAbsoluteElseTmpAndEndsWithTheSeparator) {
  struct Case {
    MemoryEnvironment env;
    const char* want;
  } cases[] = {
      {{{"TMPDIR", "/var/tmp"}}, "/var/tmp/"},
      {{{"TMPDIR", "/var/tmp//"}}, "/var/tmp/"},
      {{{"TMPDIR", "/"}}, "/"},
      {{{"TMPDIR", "tmp"}}, "/tmp/"},
      {{{"TMPDIR", ""}}, "/tmp/"},
      {{}, "/tmp/"},
  };
  for (const auto& c : cases) EXPECT_EQ(TempFolder(c.env), c.want);
}

TEST(JoinPath, PutsExactlyOneSeparatorBetween) {
  EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
  EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(JoinPath("/a/", "/b"), "/a/b");
  EXPECT_EQ(JoinPath("", "b"), "/b");
  EXPECT_EQ(JoinPath("/a", ""), "/a/");
}

TEST(ProgramDataFolders, AreBuiltOnTheAppDataFolderWhichIsCreated) {
  pc::testing::TempDir dir;
  const std::string appData = dir.File("state/deep");
  const ProgramDataFolders f = MakeProgramDataFolders(appData, "/opt/pc/bin");
  EXPECT_EQ(f.baseFolder, appData + "/PrijsCorrectum");
  EXPECT_EQ(f.UpdatesFolder, appData + "/PrijsCorrectum/Updates");
  EXPECT_EQ(f.LogFolder, appData + "/PrijsCorrectum/AutoUpdateLog");
  EXPECT_TRUE(FileExists(f.baseFolder));
  EXPECT_FALSE(FileExists(f.UpdatesFolder)) << "the update pass makes its own folder";

  const ProgramDataFolders fallback = MakeProgramDataFolders("", "/opt/pc/bin");
  EXPECT_EQ(fallback.UpdatesFolder, "/opt/pc/bin/Updates");
  EXPECT_EQ(fallback.LogFolder, "/opt/pc/bin/AutoUpdateLog");
}

TEST(ProgramFolder, IsTheFolderOfThisTestProgram) {
  const std::string folder = ProgramFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.front(), '/');
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(FileExists(folder));
}

TEST(CreateFolderWithParents, MakesEveryLevelAndFailsOnAFileInTheWay) {
  pc::testing::TempDir dir;
  EXPECT_TRUE(CreateFolderWithParents(dir.File("a/b/c")));
  EXPECT_TRUE(CreateFolderWithParents(dir.File("a/b/c")));  // already there
  EXPECT_TRUE(CreateFolderWithParents(dir.File("a/b/c/")));
  pc::testing::WriteFile(dir.File("file"), "x");
  EXPECT_FALSE(CreateFolderWithParents(dir.File("file")));
  EXPECT_FALSE(CreateFolderWithParents(dir.File("file/sub")));
  EXPECT_FALSE(CreateFolderWithParents(""));
}

}  // namespace
}  // namespace pc::platform
