#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/file_registry.h"
#include "temp_dir.h"

namespace pc::platform {
namespace {

using pc::testing::ReadFile;
using pc::testing::TempDir;
using pc::testing::WriteFile;

unsigned ModeOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return 0xFFFF;
  return st.st_mode & 0777;
}

class FileRegistryTest : public ::testing::Test {
 protected:
  std::string file() const { return dir_.File("cfg/PrijsCorrectum/settings.json"); }

  static RegistryResult Put(Registry& registry, std::string_view path, std::string_view name, std::string_view text) {
    std::unique_ptr<RegistryKey> key;
    const RegistryResult r = registry.OpenKey(RegistryRoot::CurrentUser, path, KeyAccess::Create, key);
    if (r != RegistryResult::Ok) return r;
    return key->WriteString(name, text);
  }
  static std::string Get(Registry& registry, std::string_view path, std::string_view name) {
    std::unique_ptr<RegistryKey> key;
    std::string text = "<none>";
    if (registry.OpenKey(RegistryRoot::CurrentUser, path, KeyAccess::ReadOnly, key) == RegistryResult::Ok) {
      key->ReadString(name, text);
    }
    return text;
  }

  TempDir dir_;
};

TEST_F(FileRegistryTest, AMissingFileStartsEmptyAndTheFirstFlushMakesAPrivateFile) {
  {
    FileRegistry registry(file(), {});
    EXPECT_EQ(registry.LoadState(), SettingsFileState::Missing);
    EXPECT_EQ(Get(registry, "\\A", "v"), "<none>");
    ASSERT_EQ(Put(registry, "\\A", "v", "geheim"), RegistryResult::Ok);
    ASSERT_EQ(registry.Flush(), RegistryResult::Ok);
  }
  EXPECT_EQ(ModeOf(file()), 0600u);
  EXPECT_EQ(ModeOf(dir_.File("cfg/PrijsCorrectum")), 0700u);
  FileRegistry again(file(), {});
  EXPECT_EQ(again.LoadState(), SettingsFileState::Loaded);
  EXPECT_EQ(Get(again, "\\a", "V"), "geheim");
}

TEST_F(FileRegistryTest, FlushWritesOnlyWhenSomethingChanged) {
  FileRegistry registry(file(), {});
  EXPECT_EQ(registry.Flush(), RegistryResult::Ok);
  EXPECT_FALSE(FileExists(file())) << "nothing to write, no file made";
  ASSERT_EQ(Put(registry, "\\A", "v", "1"), RegistryResult::Ok);
  ASSERT_EQ(registry.Flush(), RegistryResult::Ok);
  WriteFile(file(), "{\"\\\\A\": {\"v\": \"by hand\"}}");
  EXPECT_EQ(registry.Flush(), RegistryResult::Ok);
  EXPECT_NE(ReadFile(file()).find("by hand"), std::string::npos);
}

TEST_F(FileRegistryTest, ADamagedFileKeepsWhatItCouldReadAndIsKeptBesideTheNewOne) {
  CreateFolderWithParents(dir_.File("cfg/PrijsCorrectum"));
  const std::string damaged = "{\"\\\\A\": {\"v\": \"kept\"}, \"\\\\B\": {\"w\": \"lo";
  WriteFile(file(), damaged);
  FileRegistry registry(file(), {});
  EXPECT_EQ(registry.LoadState(), SettingsFileState::Damaged);
  EXPECT_EQ(Get(registry, "\\A", "v"), "kept");
  EXPECT_EQ(Get(registry, "\\B", "w"), "<none>");
  ASSERT_EQ(Put(registry, "\\B", "w", "new"), RegistryResult::Ok);
  ASSERT_EQ(registry.Flush(), RegistryResult::Ok);
  EXPECT_EQ(registry.LoadState(), SettingsFileState::Loaded);
  EXPECT_EQ(ReadFile(file() + ".damaged"), damaged);
  EXPECT_EQ(ModeOf(file() + ".damaged"), 0600u);

  FileRegistry again(file(), {});
  EXPECT_EQ(again.LoadState(), SettingsFileState::Loaded) << "the next save writes a sound file";
  EXPECT_EQ(Get(again, "\\A", "v"), "kept");
  EXPECT_EQ(Get(again, "\\B", "w"), "new");
}

TEST_F(FileRegistryTest, AFileThatCannotBeReadIsNeverOverwritten) {
  // A folder where the file should be: it exists, but is no readable file.
  CreateFolderWithParents(file());
  FileRegistry registry(file(), {});
  EXPECT_EQ(registry.LoadState(), SettingsFileState::Unreadable);
  ASSERT_EQ(Put(registry, "\\A", "v", "1"), RegistryResult::Ok);
  EXPECT_EQ(registry.Flush(), RegistryResult::AccessDenied);
}

TEST_F(FileRegistryTest, AFailedWriteIsReportedAndLeavesTheOldFile) {
  const std::string blocked = dir_.File("blocked");
  WriteFile(blocked, "a file where the settings folder should be");
  FileRegistry registry(blocked + "/PrijsCorrectum/settings.json", {});
  ASSERT_EQ(Put(registry, "\\A", "v", "1"), RegistryResult::Ok);
  EXPECT_EQ(registry.Flush(), RegistryResult::WriteFailed);

  // an existing sound file survives a failed replacement
  FileRegistry sound(file(), {});
  ASSERT_EQ(Put(sound, "\\A", "v", "old"), RegistryResult::Ok);
  ASSERT_EQ(sound.Flush(), RegistryResult::Ok);
  const std::string before = ReadFile(file());
  ASSERT_EQ(::chmod(dir_.File("cfg/PrijsCorrectum").c_str(), 0500), 0);
  ASSERT_EQ(Put(sound, "\\A", "v", "new"), RegistryResult::Ok);
  const RegistryResult r = sound.Flush();
  ::chmod(dir_.File("cfg/PrijsCorrectum").c_str(), 0700);
  if (::geteuid() != 0) {  // the owner of every folder can write anywhere
    EXPECT_EQ(r, RegistryResult::WriteFailed);
    EXPECT_EQ(ReadFile(file()), before);
  }
}

TEST_F(FileRegistryTest, TheMachineHiveHoldsTheShellFoldersAndIsReadOnly) {
  FileRegistry registry(file(), ShellFolders{"/srv/docs", ""});
  std::unique_ptr<RegistryKey> key;
  ASSERT_EQ(registry.OpenKey(RegistryRoot::LocalMachine, kShellFoldersKey, KeyAccess::ReadOnly, key),
            RegistryResult::Ok);
  std::string value;
  EXPECT_EQ(key->ReadString(kCommonDocumentsValue, value), RegistryResult::Ok);
  EXPECT_EQ(value, "/srv/docs");
  EXPECT_EQ(key->ReadString(kCommonAppDataValue, value), RegistryResult::NotFound);
  EXPECT_EQ(key->WriteString(kCommonAppDataValue, "/x"), RegistryResult::AccessDenied);
  EXPECT_EQ(registry.OpenKey(RegistryRoot::LocalMachine, "\\Other", KeyAccess::Create, key),
            RegistryResult::AccessDenied);
  // nothing of the machine hive goes into the user's file
  ASSERT_EQ(Put(registry, "\\A", "v", "1"), RegistryResult::Ok);
  ASSERT_EQ(registry.Flush(), RegistryResult::Ok);
  EXPECT_EQ(ReadFile(file()).find("Shell Folders"), std::string::npos);
}

TEST(DefaultSettingsFile, LivesInTheConfigurationFolder) {
  EXPECT_EQ(DefaultSettingsFile(MemoryEnvironment{{"XDG_CONFIG_HOME", "/c"}, {"HOME", "/h"}}),
            "/c/PrijsCorrectum/settings.json");
  EXPECT_EQ(DefaultSettingsFile(MemoryEnvironment{{"HOME", "/h"}}), "/h/.config/PrijsCorrectum/settings.json");
  EXPECT_EQ(DefaultSettingsFile(MemoryEnvironment{}), "");
}

}  // namespace
}  // namespace pc::platform
