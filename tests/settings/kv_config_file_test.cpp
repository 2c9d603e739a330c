// Settings through the real settings file: what is saved comes back
// unchanged, and a damaged file costs only what is damaged.
#include <gtest/gtest.h>

#include "platform/file_registry.h"
#include "settings/kv_config.h"
#include "temp_dir.h"

namespace pc::settings {
namespace {

using pc::testing::ReadFile;
using pc::testing::TempDir;
using pc::testing::WriteFile;

void ExpectSameSettings(const TKVConfig& a, const TKVConfig& b) {
  EXPECT_EQ(a.centralPath, b.centralPath);
  EXPECT_EQ(a.filePath, b.filePath);
  EXPECT_EQ(a.WinState, b.WinState);
  EXPECT_EQ(a.Top, b.Top);
  EXPECT_EQ(a.Left, b.Left);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.sysEmail, b.sysEmail);
  EXPECT_EQ(a.Enabled, b.Enabled);
  EXPECT_EQ(a.EnabledAsked, b.EnabledAsked);
  EXPECT_EQ(a.LoginName, b.LoginName);
  EXPECT_EQ(a.LastDownloadedCoreFile, b.LastDownloadedCoreFile);
  EXPECT_EQ(a.LastCoreFileInstalled, b.LastCoreFileInstalled);
  EXPECT_EQ(a.ignoreDownloadedCoreFile, b.ignoreDownloadedCoreFile);
  EXPECT_EQ(a.Proxy, b.Proxy);
  EXPECT_EQ(a.RecentProjects, b.RecentProjects);
  EXPECT_EQ(a.AvailOnlineIndices(), b.AvailOnlineIndices());
  const auto da = a.DownloadedIndexInfo();
  const auto db = b.DownloadedIndexInfo();
  ASSERT_EQ(da.size(), db.size());
  for (std::size_t i = 0; i < da.size(); ++i) EXPECT_EQ(*da[i], *db[i]);
}

class KVConfigFileTest : public ::testing::Test {
 protected:
  std::string file() const { return dir_.File("PrijsCorrectum/settings.json"); }

  // Every field away from its default, texts with characters beyond ASCII.
  static void FillEverything(TKVConfig& c) {
    c.centralPath = "/srv/index \xE9\x80/";
    c.filePath = "/home/an/Projecten/";
    c.WinState = 2;
    c.Top = -4;
    c.Left = 1920;
    c.Height = 1000;
    c.Width = -2147483647 - 1;
    c.sysEmail = "beheer@example.nl";
    c.Enabled = false;
    c.EnabledAsked = true;
    c.LoginName = "Aannemer \"B\" & Zn";
    c.LastDownloadedCoreFile = "setup2007.exe";
    c.LastCoreFileInstalled = "setup2006.exe";
    c.ignoreDownloadedCoreFile = "setup2005.exe";
    c.Proxy = {true, "proxy.example.nl", 3128, TProxyKind::Socks5, true, "gebruiker", "w\x01\x3C\xFF\\\"<"};
    c.RecentProjects = {"/p/één.kvp", "/p/twee\ttab.kvp", "/p/\x81\x8D\x8F\x90\x9D.kvp"};
    c.ReplaceAvailOnlineIndices({{"Online.kvi", "regel1\n\rregel2"}});
    c.ReplaceDownloadedIndexInfo({{"Bouw.kvi", "Bouwkosten", "http://x/"}, {"GWW.kvi", "", ""}});
  }

  TempDir dir_;
  platform::MemorySystemProxy proxy_;
};

TEST_F(KVConfigFileTest, EverySettingSurvivesSaveAndLoad) {
  platform::FileRegistry registry(file(), {});
  TKVConfig saved({registry, proxy_, "/opt", "/u"});
  saved.Load();
  FillEverything(saved);
  ASSERT_EQ(saved.Save(), platform::RegistryResult::Ok);

  platform::FileRegistry reread(file(), {});
  ASSERT_EQ(reread.LoadState(), platform::SettingsFileState::Loaded);
  TKVConfig loaded({reread, proxy_, "/opt", "/u"});
  loaded.Load();
  ExpectSameSettings(saved, loaded);

  // saving the loaded settings again gives the very same file
  const std::string first = ReadFile(file());
  ASSERT_EQ(loaded.Save(), platform::RegistryResult::Ok);
  EXPECT_EQ(ReadFile(file()), first);
  EXPECT_EQ(first.find("gebruiker\", \"Pass\": \"w"), std::string::npos) << "no plain password";
}

TEST_F(KVConfigFileTest, ADamagedFileCostsOnlyWhatIsDamaged) {
  {
    platform::FileRegistry registry(file(), {});
    TKVConfig saved({registry, proxy_, "/opt", "/u"});
    saved.Load();
    FillEverything(saved);
    ASSERT_EQ(saved.Save(), platform::RegistryResult::Ok);
  }
  const std::string sound = ReadFile(file());
  // cut the file inside the proxy key: everything before it stays
  const std::size_t cut = sound.find("\"Port\"");
  ASSERT_NE(cut, std::string::npos);
  WriteFile(file(), sound.substr(0, cut + 4));

  platform::FileRegistry registry(file(), {});
  EXPECT_EQ(registry.LoadState(), platform::SettingsFileState::Damaged);
  TKVConfig c({registry, proxy_, "/opt", "/u"});
  c.Load();
  EXPECT_EQ(c.WinState, 2);
  EXPECT_EQ(c.Width, -2147483647 - 1);
  EXPECT_EQ(c.centralPath, "/srv/index \xE9\x80/");
  EXPECT_FALSE(c.Enabled);
  EXPECT_EQ(c.ignoreDownloadedCoreFile, "setup2005.exe");
  EXPECT_TRUE(c.Proxy.Enabled);
  EXPECT_EQ(c.Proxy.Host, "proxy.example.nl");
  // what came after the damage has its defaults
  EXPECT_EQ(c.Proxy.Port, 8080);
  EXPECT_EQ(c.Proxy.User, "");
  EXPECT_TRUE(c.RecentProjects.empty());
  EXPECT_TRUE(c.DownloadedIndexInfo().empty());

  // the next save writes a sound file and keeps the damaged one aside
  ASSERT_EQ(c.Save(), platform::RegistryResult::Ok);
  platform::FileRegistry after(file(), {});
  EXPECT_EQ(after.LoadState(), platform::SettingsFileState::Loaded);
  EXPECT_EQ(ReadFile(file() + ".damaged"), sound.substr(0, cut + 4));
}

TEST_F(KVConfigFileTest, GarbageInsteadOfSettingsGivesTheDefaultsAndNoCrash) {
  const std::string garbage[] = {"", std::string(1000, '\0'), "\xFF\xFE{", "{\"\\\\Software\\\\PrijsCorrectum\\\\2006\\\\App\": 7}",
                                 "[[[[[[[[[[[[[[[[[[[[", "{\"\\\\Software\\\\PrijsCorrectum\\\\2006\\\\Update\": {\"Enabled\": \"0\"}}"};
  for (const auto& text : garbage) {
    platform::CreateFolderWithParents(dir_.File("PrijsCorrectum"));
    WriteFile(file(), text);
    platform::FileRegistry registry(file(), {});
    TKVConfig c({registry, proxy_, "/opt", "/u"});
    c.Load();
    EXPECT_TRUE(c.Enabled);
    EXPECT_EQ(c.Proxy.Port, 8080);
    EXPECT_EQ(c.centralPath, "");
    ASSERT_EQ(c.Save(), platform::RegistryResult::Ok);
    platform::FileRegistry after(file(), {});
    EXPECT_EQ(after.LoadState(), platform::SettingsFileState::Loaded);
  }
}

TEST_F(KVConfigFileTest, FirstStartOnThisSystemUsesTheXdgDataFolder) {
  const platform::MemoryEnvironment env{{"HOME", "/home/an"}};
  platform::FileRegistry registry(file(), platform::XdgShellFolders(env));
  TKVConfig c({registry, proxy_, "/opt", "/u"});
  c.Load();
  EXPECT_TRUE(c.Enabled);
  EXPECT_EQ(c.Proxy.Port, 8080);
  EXPECT_EQ(c.Top, 0);
  c.SetDefaultIndexFolder();
  EXPECT_EQ(c.centralPath, "/home/an/.local/share/PrijsCorrectum/");
}

}  // namespace
}  // namespace pc::settings
