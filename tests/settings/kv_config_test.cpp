#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "settings/kv_config.h"
#include "settings/password_scramble.h"
#include "settings/settings_layout.h"
#include "temp_dir.h"

namespace pc::settings {
namespace {

using platform::RegistryRoot;
using platform::RegistryValue;
using platform::RegistryValueType;

class KVConfigTest : public ::testing::Test {
 protected:
  platform::RegistryTree& user() { return registry_.Hive(RegistryRoot::CurrentUser); }
  platform::RegistryTree& machine() { return registry_.Hive(RegistryRoot::LocalMachine); }

  std::optional<RegistryValue> Stored(std::string_view key, std::string_view name) {
    RegistryValue v;
    if (user().GetValue(key, name, v) != platform::RegistryResult::Ok) return std::nullopt;
    return v;
  }

  platform::MemoryRegistry registry_;
  platform::MemorySystemProxy proxy_;
  TKVConfig config_{{registry_, proxy_, "/opt/pc", "/var/pc/Updates"}};
};

TEST_F(KVConfigTest, AnEmptyRegistryGivesEveryDefault) {
  // fill every field with something else first: Load must reset them
  config_.WinState = 2;
  config_.Top = config_.Left = config_.Height = config_.Width = 5;
  config_.centralPath = "/x/";
  config_.Enabled = false;
  config_.EnabledAsked = config_.SkipCoreFile = true;
  config_.sysEmail = config_.LoginName = config_.LastDownloadedCoreFile = "x";
  config_.LastCoreFileInstalled = config_.ignoreDownloadedCoreFile = "x";
  config_.Proxy = {true, "h", 1, TProxyKind::Socks5, true, "u", "p"};
  config_.RecentProjects = {"a"};
  config_.Load();

  EXPECT_EQ(config_.WinState, 0);
  EXPECT_EQ(config_.Top, 0);
  EXPECT_EQ(config_.Left, 0);
  EXPECT_EQ(config_.Height, 0);
  EXPECT_EQ(config_.Width, 0);
  EXPECT_EQ(config_.centralPath, "");
  EXPECT_TRUE(config_.Enabled);
  EXPECT_FALSE(config_.EnabledAsked);
  EXPECT_FALSE(config_.SkipCoreFile);
  for (const std::string* s : {&config_.sysEmail, &config_.LoginName, &config_.LastDownloadedCoreFile,
                               &config_.LastCoreFileInstalled, &config_.ignoreDownloadedCoreFile}) {
    EXPECT_EQ(*s, "");
  }
  EXPECT_EQ(config_.Proxy, proxyInfoRec{});
  EXPECT_EQ(config_.Proxy.Port, 8080);
  EXPECT_TRUE(config_.RecentProjects.empty());
}

TEST_F(KVConfigTest, FirstStartPutsTheIndexFolderUnderCommonDocuments) {
  machine().SetString(platform::kShellFoldersKey, platform::kCommonDocumentsValue, "/home/an/.local/share");
  config_.Load();
  ASSERT_TRUE(config_.centralPath.empty());
  config_.SetDefaultIndexFolder();
  EXPECT_EQ(config_.centralPath, "/home/an/.local/share/PrijsCorrectum/");
  EXPECT_EQ(config_.DefaultIndexFile(), "/home/an/.local/share/PrijsCorrectum/Indices.kvi");
}

TEST_F(KVConfigTest, TheDefaultIndexFolderFallsBackStepByStep) {
  struct Case {
    std::optional<std::string> documents;
    bool documentsAsNumber;
    std::optional<std::string> appData;
    const char* want;
  } cases[] = {
      {"/docs", false, "/data", "/docs/PrijsCorrectum/"},
      {"/docs/", false, std::nullopt, "/docs/PrijsCorrectum/"},
      {std::nullopt, false, "/data", "/data/PrijsCorrectum/"},
      {"", false, "/data", "/data/PrijsCorrectum/"},     // an empty folder is no folder
      {"x", true, "/data", "/data/PrijsCorrectum/"},     // not stored as text
      {"%PUBLIC%\\Documents", false, "/data", "%PUBLIC%\\Documents/PrijsCorrectum/"},  // taken as stored
      {std::nullopt, false, std::nullopt, "/opt/pc/Indices/"},
      {"", false, "", "/opt/pc/Indices/"},
  };
  for (const auto& c : cases) {
    machine().Clear();
    if (c.documents) {
      if (c.documentsAsNumber) {
        machine().SetDWord(platform::kShellFoldersKey, platform::kCommonDocumentsValue, 1);
      } else {
        machine().SetString(platform::kShellFoldersKey, platform::kCommonDocumentsValue, *c.documents);
      }
    }
    if (c.appData) machine().SetString(platform::kShellFoldersKey, platform::kCommonAppDataValue, *c.appData);
    config_.SetDefaultIndexFolder();
    EXPECT_EQ(config_.centralPath, c.want);
  }
}

TEST_F(KVConfigTest, SaveWritesTheLayoutWithTypesAndAScrambledPassword) {
  config_.Load();
  config_.Top = -8;
  config_.WinState = 2;
  config_.Proxy.Pass = "Wacht woord!";
  config_.Proxy.ProxyKind = TProxyKind::Socks4A;
  config_.EnabledAsked = true;
  ASSERT_EQ(config_.Save(), platform::RegistryResult::Ok);
  EXPECT_EQ(registry_.FlushCount(), 1);

  auto top = Stored(kMainWindowKey, "Top");
  ASSERT_TRUE(top);
  EXPECT_EQ(top->type, RegistryValueType::DWord);
  EXPECT_EQ(top->number, 0xFFFFFFF8u);
  EXPECT_EQ(Stored(kMainWindowKey, "WinState")->number, 2u);
  EXPECT_EQ(Stored(kUpdateKey, "EnabledAsked")->number, 1u);
  EXPECT_EQ(Stored(kUpdateKey, "Enabled")->number, 1u);
  EXPECT_EQ(Stored(kProxyKey, "ProxyKind")->number, 2u);
  EXPECT_EQ(Stored(kProxyKey, "Port")->number, 8080u);
  EXPECT_EQ(Stored(kAppKey, "centralPath")->type, RegistryValueType::String);

  const auto pass = Stored(kProxyKey, "Pass");
  ASSERT_TRUE(pass);
  EXPECT_EQ(pass->type, RegistryValueType::String);
  ASSERT_EQ(pass->text.size(), config_.Proxy.Pass.size());
  for (std::size_t i = 0; i < pass->text.size(); ++i) {
    EXPECT_EQ(static_cast<unsigned char>(pass->text[i]),
              static_cast<unsigned char>(config_.Proxy.Pass[i]) ^ 0x3Cu);
  }
  // every value of every section is there, under its own name
  for (const SettingSpec& spec : SettingsLayout()) {
    EXPECT_EQ(Stored(SectionKey(spec.section), spec.valueName).has_value(), spec.saved) << spec.valueName;
  }

  TKVConfig loaded({registry_, proxy_, "/opt/pc", "/var/pc/Updates"});
  loaded.Load();
  EXPECT_EQ(loaded.Proxy.Pass, "Wacht woord!");
  EXPECT_EQ(loaded.Top, -8);
}

TEST_F(KVConfigTest, SkipCoreFileIsNeverWrittenAndSurvivesSaves) {
  user().SetDWord(kUpdateKey, "SkipCoreFile", 1);
  user().SetString(kUpdateKey, "LastDownloadedCoreFile", "setup2007.exe");
  for (int round = 0; round < 3; ++round) {
    config_.Load();
    EXPECT_TRUE(config_.SkipCoreFile) << round;
    config_.SkipCoreFile = false;  // even a change in memory is not stored
    ASSERT_EQ(config_.Save(), platform::RegistryResult::Ok);
  }
  EXPECT_EQ(Stored(kUpdateKey, "SkipCoreFile")->number, 1u);
  config_.Load();
  std::string path = "x";
  EXPECT_FALSE(config_.PendingCoreFile(path));
  EXPECT_EQ(path, "");
}

// A value of the wrong type, or a number the field cannot hold, leaves only
// that field at its default.
TEST_F(KVConfigTest, AnUnreadableValueCostsOnlyItsOwnField) {
  struct Bad {
    std::string_view key;
    std::string_view name;
    bool asText;  // store text where a number belongs, else a number where text belongs
    std::uint32_t number;
  } cases[] = {
      {kMainWindowKey, "WinState", true, 0},  {kMainWindowKey, "WinState", false, 256},
      {kMainWindowKey, "Top", true, 0},       {kAppKey, "centralPath", false, 1},
      {kAppKey, "filePath", false, 1},        {kUpdateKey, "Enabled", true, 0},
      {kUpdateKey, "LoginName", false, 1},    {kProxyKey, "Port", true, 0},
      {kProxyKey, "ProxyKind", false, 4},     {kProxyKey, "ProxyKind", true, 0},
      {kProxyKey, "Pass", false, 7},          {kRecentProjectsKey, "item1", false, 3},
  };
  for (const Bad& bad : cases) {
    // a full, sound set of settings
    platform::MemoryRegistry registry;
    TKVConfig writer({registry, proxy_, "/opt", "/u"});
    writer.Load();
    writer.WinState = 1;
    writer.Top = 11;
    writer.centralPath = "/idx/";
    writer.filePath = "/prj/";
    writer.Enabled = false;
    writer.LoginName = "an";
    writer.Proxy = {true, "h", 3128, TProxyKind::Socks5, true, "u", "p"};
    writer.RecentProjects = {"/a.kvp", "/b.kvp", "/c.kvp"};
    ASSERT_EQ(writer.Save(), platform::RegistryResult::Ok);

    auto& hive = registry.Hive(RegistryRoot::CurrentUser);
    if (bad.asText) {
      hive.SetString(bad.key, bad.name, "garbage");
    } else {
      hive.SetDWord(bad.key, bad.name, bad.number);
    }
    TKVConfig c({registry, proxy_, "/opt", "/u"});
    c.Load();
    const std::string which = std::string(bad.name);
    EXPECT_EQ(c.WinState, which == "WinState" ? 0 : 1) << which;
    EXPECT_EQ(c.Top, which == "Top" ? 0 : 11) << which;
    EXPECT_EQ(c.centralPath, which == "centralPath" ? "" : "/idx/") << which;
    EXPECT_EQ(c.filePath, which == "filePath" ? "" : "/prj/") << which;
    EXPECT_EQ(c.Enabled, which == "Enabled") << which;
    EXPECT_EQ(c.LoginName, which == "LoginName" ? "" : "an") << which;
    EXPECT_EQ(c.Proxy.Port, which == "Port" ? 8080 : 3128) << which;
    EXPECT_EQ(c.Proxy.ProxyKind, which == "ProxyKind" ? TProxyKind::HttpProxy : TProxyKind::Socks5) << which;
    EXPECT_EQ(c.Proxy.Pass, which == "Pass" ? "" : "p") << which;
    EXPECT_EQ(c.Proxy.Host, "h") << which;
    const std::vector<std::string> recent =
        which == "item1" ? std::vector<std::string>{"/a.kvp", "/c.kvp"}
                         : std::vector<std::string>{"/a.kvp", "/b.kvp", "/c.kvp"};
    EXPECT_EQ(c.RecentProjects, recent) << which;
  }
}

TEST_F(KVConfigTest, FoldersReadWithoutTheirSeparatorGetIt) {
  user().SetString(kAppKey, "centralPath", "/idx");
  user().SetString(kAppKey, "filePath", "/prj");
  config_.Load();
  EXPECT_EQ(config_.centralPath, "/idx/");
  EXPECT_EQ(config_.filePath, "/prj/");
  EXPECT_EQ(config_.DefaultIndexFile(), "/idx/Indices.kvi");
}

// A relative index folder lies in the home folder, not in whatever folder
// the program was started from.
TEST_F(KVConfigTest, RelativeIndexFolderIsInTheHomeFolder) {
  config_.homeFolder = "/home/an";
  user().SetString(kAppKey, "centralPath", "Indices");
  config_.Load();
  EXPECT_EQ(config_.centralPath, "/home/an/Indices/");
  user().SetString(kAppKey, "centralPath", "/srv/idx/");
  config_.Load();
  EXPECT_EQ(config_.centralPath, "/srv/idx/");
}

TEST_F(KVConfigTest, TheRecentListHoldsTenDistinctPathsOldestFirst) {
  for (int i = 1; i <= 11; ++i) config_.AddRecentProject("/p/project" + std::to_string(i) + ".kvp");
  ASSERT_EQ(config_.RecentProjects.size(), 10u);
  EXPECT_EQ(config_.RecentProjects.front(), "/p/project2.kvp");
  EXPECT_EQ(config_.RecentProjects.back(), "/p/project11.kvp");

  const auto before = config_.RecentProjects;
  config_.AddRecentProject("/P/PROJECT5.KVP");
  EXPECT_EQ(config_.RecentProjects, before) << "a path differing only in case changes nothing";
  config_.AddRecentProject("/p/project2.kvp");
  EXPECT_EQ(config_.RecentProjects, before) << "an existing item keeps its place";
}

TEST_F(KVConfigTest, FifteenStoredItemsLoadAllAndSaveTen) {
  user().SetDWord(kRecentProjectsKey, "Count", 15);
  for (int i = 0; i < 15; ++i) user().SetString(kRecentProjectsKey, "item" + std::to_string(i), "/p" + std::to_string(i));
  config_.Load();
  ASSERT_EQ(config_.RecentProjects.size(), 15u);
  EXPECT_EQ(config_.RecentProjects[14], "/p14");
  ASSERT_EQ(config_.Save(), platform::RegistryResult::Ok);
  EXPECT_EQ(Stored(kRecentProjectsKey, "Count")->number, 10u);
  EXPECT_EQ(Stored(kRecentProjectsKey, "item9")->text, "/p9");
  EXPECT_FALSE(Stored(kRecentProjectsKey, "item10")) << "the key is written afresh";
}

TEST_F(KVConfigTest, RecentItemsAreReadByNumberUpToTheCount) {
  struct Case {
    std::uint32_t count;
    std::vector<std::pair<std::string, std::string>> values;
    std::vector<std::string> want;
  } cases[] = {
      {3, {{"item2", "c"}, {"item0", "a"}, {"item1", "b"}}, {"a", "b", "c"}},  // number order, not file order
      {2, {{"item0", "a"}, {"item1", "b"}, {"item2", "c"}}, {"a", "b"}},
      {4, {{"item0", "a"}, {"item3", "d"}}, {"a", "d"}},                    // missing items are skipped
      {0xFFFFFFFFu, {{"item0", "a"}, {"ITEM1", "b"}}, {"a", "b"}},            // a wild count cannot hang the start
      {3, {{"item00", "x"}, {"item+1", "y"}, {"item", "z"}, {"item2", "c"}, {"other", "w"}}, {"c"}},
  };
  for (const auto& c : cases) {
    user().DeleteKey(kRecentProjectsKey);
    user().SetDWord(kRecentProjectsKey, "Count", c.count);
    for (const auto& [name, text] : c.values) user().SetString(kRecentProjectsKey, name, text);
    config_.Load();
    EXPECT_EQ(config_.RecentProjects, c.want) << c.count;
  }
  user().DeleteKey(kRecentProjectsKey);
  user().OpenKey(kRecentProjectsKey, true);  // a key without Count clears the list
  config_.Load();
  EXPECT_TRUE(config_.RecentProjects.empty());
}

TEST_F(KVConfigTest, AShorterListLeavesOldSubkeysThatLoadIgnores) {
  std::vector<KVDownloadedIndexInfoRec> eight;
  for (int i = 0; i < 8; ++i) eight.push_back({"f" + std::to_string(i) + ".kvi", "memo", "url"});
  config_.ReplaceDownloadedIndexInfo(eight);
  ASSERT_EQ(config_.Save(), platform::RegistryResult::Ok);
  eight.resize(5);
  config_.ReplaceDownloadedIndexInfo(eight);
  ASSERT_EQ(config_.Save(), platform::RegistryResult::Ok);

  std::vector<std::string> subkeys;
  ASSERT_EQ(user().ListSubKeys(kDownloadedIndexInfoKey, subkeys), platform::RegistryResult::Ok);
  EXPECT_EQ(subkeys.size(), 8u);
  EXPECT_EQ(Stored(kDownloadedIndexInfoKey, "Count")->number, 5u);

  TKVConfig loaded({registry_, proxy_, "/opt", "/u"});
  loaded.Load();
  const auto list = loaded.DownloadedIndexInfo();
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(*list[4], (KVDownloadedIndexInfoRec{"f4.kvi", "memo", "url"}));
}

TEST_F(KVConfigTest, BothListsSurviveSaveAndLoad) {
  config_.ReplaceAvailOnlineIndices({{"Online1.kvi", "eerste\n\rregel"}, {"Online2.kvi", ""}});
  config_.ReplaceDownloadedIndexInfo({{"Bouw.kvi", "Bouwkosten \x80", ""}});
  ASSERT_EQ(config_.Save(), platform::RegistryResult::Ok);
  TKVConfig loaded({registry_, proxy_, "/opt", "/u"});
  loaded.AddAvailOnlineIndex({"stale", ""});
  loaded.Load();
  EXPECT_EQ(loaded.AvailOnlineIndices(), config_.AvailOnlineIndices());
  ASSERT_EQ(loaded.DownloadedIndexInfo().size(), 1u);
  EXPECT_EQ(*loaded.DownloadedIndexInfo()[0], *config_.DownloadedIndexInfo()[0]);
}

TEST_F(KVConfigTest, AListCountingMissingEntriesStaysConsistent) {
  user().SetDWord(kAvailOnlineIndicesKey, "Count", 4);
  user().SetString(std::string(kAvailOnlineIndicesKey) + "\\0", "FileName", "a.kvi");
  user().SetString(std::string(kAvailOnlineIndicesKey) + "\\3", "FileName", "d.kvi");
  user().SetString(std::string(kAvailOnlineIndicesKey) + "\\4", "FileName", "beyond.kvi");
  config_.AddAvailOnlineIndex({"old", ""});
  config_.Load();
  const auto list = config_.AvailOnlineIndices();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].FileName, "a.kvi");
  EXPECT_EQ(list[1].FileName, "d.kvi");

  // without the key the lists are left as they are
  platform::MemoryRegistry empty;
  TKVConfig c({empty, proxy_, "/opt", "/u"});
  c.AddAvailOnlineIndex({"kept", ""});
  c.Load();
  EXPECT_EQ(c.AvailOnlineIndices().size(), 1u);
}

TEST_F(KVConfigTest, SaveReportsAFailureOfTheRegistry) {
  registry_.FailFlush(platform::RegistryResult::WriteFailed);
  EXPECT_EQ(config_.Save(), platform::RegistryResult::WriteFailed);
}

TEST_F(KVConfigTest, DownloadedEntriesAreFoundIgnoringCaseAndOldOnesStayValid) {
  config_.ReplaceDownloadedIndexInfo({{"Bouw.kvi", "eerst", ""}, {"GWW.kvi", "gww", ""}});
  const DownloadedIndexInfoPtr held = config_.FindDownloadedIndexInfo("bouw.KVI");
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(held->Memo, "eerst");
  EXPECT_EQ(config_.FindDownloadedIndexInfo("none.kvi"), nullptr);
  EXPECT_EQ(config_.IsDownloadedIndexInfo(held.get()), held);

  DownloadedIndexSnapshot snapshot;
  config_.SnapshotDownloadedIndexInfo(snapshot);
  ASSERT_EQ(snapshot.size(), 2u);
  EXPECT_EQ(snapshot[1].FileName, "GWW.kvi");

  config_.ClearDownloadedIndexInfo();
  const DownloadedIndexInfoPtr fresh = config_.AddDownloadedIndexInfo({"BOUW.kvi", "nieuw", ""});
  EXPECT_EQ(config_.IsDownloadedIndexInfo(held.get()), nullptr);
  EXPECT_EQ(config_.IsDownloadedIndexInfo(nullptr), nullptr);
  EXPECT_EQ(held->Memo, "eerst") << "a held entry outlives the list it was in";

  std::vector<std::pair<DownloadedIndexInfoPtr, DownloadedIndexInfoPtr>> calls;
  config_.RelinkDownloadedIndexInfo(snapshot, [&](const DownloadedIndexInfoPtr& o, const DownloadedIndexInfoPtr& n) {
    calls.emplace_back(o, n);
    EXPECT_EQ(config_.IsDownloadedIndexInfo(n.get()), n);  // no lock is held during the call
  });
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].first, held);
  EXPECT_EQ(calls[0].second, fresh);
  EXPECT_EQ(calls[1].first, snapshot[1].entry);
  EXPECT_EQ(calls[1].second, nullptr);
}

TEST_F(KVConfigTest, PendingAndIgnoredSetUpFiles) {
  pc::testing::TempDir updates;
  pc::testing::WriteFile(updates.File("setup2.exe"), "MZ");
  struct Case {
    bool skip;
    const char* last;
    const char* installed;
    const char* ignored;
    bool pending;
    bool pendingPath;
    bool ignoredPath;
    const char* lastAfter;
  } cases[] = {
      {false, "setup2.exe", "setup1.exe", "", true, true, false, "setup2.exe"},
      {false, "setup2.exe", "setup1.exe", "setup2.exe", false, true, true, "setup2.exe"},
      {false, "setup2.exe", "setup1.exe", "setup1.exe", true, true, false, "setup2.exe"},
      {true, "setup2.exe", "setup1.exe", "setup2.exe", false, false, true, "setup2.exe"},
      {false, "setup2.exe", "setup2.exe", "setup2.exe", false, false, false, "setup2.exe"},
      {false, "", "", "", false, false, false, ""},
      {false, "gone.exe", "setup1.exe", "", false, false, false, ""},  // the name is forgotten
      {false, "gone.exe", "setup1.exe", "gone.exe", false, false, false, ""},
  };
  for (const auto& c : cases) {
    TKVConfig config({registry_, proxy_, "/opt", updates.path()});
    config.SkipCoreFile = c.skip;
    config.LastDownloadedCoreFile = c.last;
    config.LastCoreFileInstalled = c.installed;
    config.ignoreDownloadedCoreFile = c.ignored;
    std::string ignoredPath = "x";
    config.IgnoredCoreFile(ignoredPath);
    std::string path = "x";
    EXPECT_EQ(config.PendingCoreFile(path), c.pending) << c.last << "/" << c.ignored;
    EXPECT_EQ(path, c.pendingPath ? updates.File(c.last) : "") << c.last << "/" << c.ignored;
    EXPECT_EQ(ignoredPath, c.ignoredPath ? updates.File(c.last) : "") << c.last << "/" << c.ignored;
    EXPECT_EQ(config.LastDownloadedCoreFile, c.lastAfter);
  }
}

TEST(PasswordScramble, IsItsOwnInverseOnEveryByte) {
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  const std::string scrambled = ScramblePassword(all);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(static_cast<unsigned char>(scrambled[i]), i ^ 0x3C);
  EXPECT_EQ(ScramblePassword(scrambled), all);
}

}  // namespace
}  // namespace pc::settings
