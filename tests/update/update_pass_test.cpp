#include <gtest/gtest.h>

#include <optional>

#include "update_fixture.h"

namespace pc::update::testing {
namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;
using pc::testing::ReadFileBytes;
using pc::testing::WriteFileBytes;

const std::string H = "PrijsCorrectumAutoUpdateInfoFile\r\n";
const std::string kOld = Content('o', 100);  // the index file already on disk
const std::string kNew = Content('n', 3000);

struct PassCase {
  const char* name;
  std::string info;
  Entries served = {};                                 // files the server has
  std::vector<std::pair<std::string, nlohmann::json>> behaviours = {};
  bool skipCore = false;
  std::string lastCore = "old.exe";
  int code = 0;
  std::vector<std::string> statuses = {};              // in this order
  std::optional<Entries> downloaded = {};              // nullopt: the old list stays
  std::optional<Entries> online = {};                  // nullopt: the old list stays
  Entries indexFiles = {{"Indices.kvi", kOld}};     // the whole index folder afterwards
  Entries updateFiles = {};                         // the whole update folder afterwards
  std::string lastCoreAfter = "old.exe";
  std::vector<std::string> requested = {};          // request targets that must appear
};

class UpdatePassTableTest : public UpdatePassFixture, public ::testing::WithParamInterface<PassCase> {};

TEST_P(UpdatePassTableTest, RunsThePass) {
  const PassCase& c = GetParam();
  server_.SetInfo(c.info);
  for (const auto& [name, bytes] : c.served) server_.SetFile(name, bytes);
  for (const auto& [key, b] : c.behaviours) server_.SetBehaviour(key, b);
  WriteFileBytes(IndexFolder() + "/Indices.kvi", kOld);
  config_->ReplaceDownloadedIndexInfo({{"Oud.kvi", "oude memo", "url"}});
  config_->ReplaceAvailOnlineIndices({{"OudOnline.kvi", "oud"}});
  config_->SkipCoreFile = c.skipCore;
  config_->LastDownloadedCoreFile = c.lastCore;
  config_->LoginName = "jansen";

  EXPECT_EQ(RunPass(), c.code);

  const std::vector<std::string> start = {"Start autoupdate 20070705094107", "Downloaden van informatiebestand..",
                                          "Verwerken van informatiebestand.."};
  if (c.code == 0 || c.code >= 4) {
    EXPECT_TRUE(InOrder(events_->statuses, start));
  }
  EXPECT_TRUE(InOrder(events_->statuses, c.statuses));
  EXPECT_EQ(events_->statuses.back(), "Einde autoupdate 20070705094107");
  EXPECT_EQ(events_->statuses[events_->statuses.size() - 2],
            c.code == 0 ? "De update is gelukt" : "De update is mislukt");
  EXPECT_EQ(events_->done, std::vector<std::int32_t>{c.code});
  EXPECT_EQ(events_->starts, 1);
  EXPECT_EQ(events_->begins, events_->ends);
  EXPECT_FALSE(events_->offMainThread);

  Entries downloaded;
  for (const auto& e : config_->DownloadedIndexInfo()) {
    downloaded.emplace_back(e->FileName, e->Memo);
    EXPECT_EQ(e->UrlInfo, c.downloaded ? "" : "url");
  }
  EXPECT_EQ(downloaded, c.downloaded.value_or(Entries{{"Oud.kvi", "oude memo"}}));
  Entries online;
  for (const auto& e : config_->AvailOnlineIndices()) online.emplace_back(e.FileName, e.Memo);
  EXPECT_EQ(online, c.online.value_or(Entries{{"OudOnline.kvi", "oud"}}));

  auto expectFolder = [&](const std::string& folder, const Entries& files) {
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
      names.push_back(name);
      EXPECT_EQ(ReadFileBytes(folder + "/" + name), bytes) << name;
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(FilesIn(folder), names) << folder;
  };
  expectFolder(IndexFolder(), c.indexFiles);
  expectFolder(UpdatesFolder(), c.updateFiles);
  EXPECT_TRUE(FilesIn(TempFolder()).empty()) << "temporary files left behind";
  // Nothing was ever written next to the folders.
  EXPECT_EQ(FilesIn(dir_.path().string()),
            (std::vector<std::string>{"AutoUpdateLog.txt", "data", "index", "tmp"}));

  EXPECT_EQ(config_->LastDownloadedCoreFile, c.code == 0 ? c.lastCoreAfter : c.lastCore);
  EXPECT_EQ(config_->LoginName, "jansen");
  const auto requests = server_.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.front(), "/update/?login=jansen");
  for (const auto& r : c.requested) EXPECT_EQ(Count(requests, r), 1) << r;
}

const std::string k63 = Content('e', 63);
const std::string k64 = Content('f', 64);

INSTANTIATE_TEST_SUITE_P(
    InfoFiles, UpdatePassTableTest,
    ::testing::Values(
        PassCase{.name = "HeaderOnlyClearsTheCoreFile",
                 .info = H,
                 .statuses = {"De update is gelukt"},
                 .lastCoreAfter = ""},
        PassCase{.name = "HeaderWithTextAfterIt", .info = "PrijsCorrectumAutoUpdateInfoFile v2 2007\n",
                 .lastCoreAfter = ""},
        PassCase{.name = "EveryKind",
                 .info = H + "D:C:\"setup.exe\"\r\nD:I:\"Indices.kvi\"\r\nM Eerste regel\r\nM tweede regel\r\n" +
                         "D:L:\"Lokaal.kvi\"\r\nD:O:\"Online.kvi\"\r\nM online memo\r\nD:X:\"readme.txt\"\r\n" +
                         "W let op\r\n",
                 .served = {{"setup.exe", Content('s', 5000)}, {"Indices.kvi", kNew},
                            {"Lokaal.kvi", Content('l', 70)}, {"readme.txt", Content('r', 64)}},
                 .statuses = {"Downloaden van setup.exe", "Downloaden van Indices.kvi", "Downloaden van Lokaal.kvi",
                              "Downloaden van readme.txt", "Waarschuwing: \"W let op\"", "De update is gelukt"},
                 .downloaded = Entries{{"Indices.kvi", "Eerste regel\n\rtweede regel"}, {"Lokaal.kvi", ""}},
                 .online = Entries{{"Online.kvi", "online memo"}},
                 .indexFiles = {{"Indices.kvi", kNew}, {"Lokaal.kvi", Content('l', 70)}},
                 .updateFiles = {{"setup.exe", Content('s', 5000)}, {"readme.txt", Content('r', 64)}},
                 .lastCoreAfter = "setup.exe",
                 .requested = {"/update/?login=jansen&file=setup%2Eexe",
                               "/update/?login=jansen&file=Indices%2Ekvi"}},
        PassCase{.name = "Windows1252NameIsWrittenAsUtf8",
                 .info = H + "D:I:\"\xCDndices \x80.kvi\"\r\n",
                 // (the test server reads the name as Latin-1 and looks it up in UTF-8)
                 .served = {{"\xC3\x8Dndices \xC2\x80.kvi", kNew}},
                 .statuses = {"Downloaden van \xCDndices \x80.kvi", "De update is gelukt"},
                 .downloaded = Entries{{"\xCDndices \x80.kvi", ""}},
                 .indexFiles = {{"Indices.kvi", kOld}, {"\xC3\x8Dndices \xE2\x82\xAC.kvi", kNew}},
                 .lastCoreAfter = "",
                 .requested = {"/update/?login=jansen&file=%CDndices%20%80%2Ekvi"}},
        PassCase{.name = "CoreFileAlreadyFetched",
                 .info = H + "D:C:\"old.exe\"\r\n",
                 .lastCoreAfter = "old.exe"},
        PassCase{.name = "SkipCoreFile",
                 .info = H + "D:C:\"new.exe\"\r\n",
                 .served = {{"new.exe", Content('s', 100)}},
                 .skipCore = true,
                 .statuses = {"Downloaden van corebestand \"new.exe\" wordt overgeslagen (windows register optie)"},
                 .lastCoreAfter = "old.exe"},
        PassCase{.name = "NameWithSpaceAndPlus",
                 .info = H + "D:I:\"Indices 2007+.kvi\"\r\n",
                 .served = {{"Indices 2007+.kvi", kNew}},
                 .downloaded = Entries{{"Indices 2007+.kvi", ""}},
                 .indexFiles = {{"Indices.kvi", kOld}, {"Indices 2007+.kvi", kNew}},
                 .lastCoreAfter = "",
                 .requested = {"/update/?login=jansen&file=Indices%202007%2B%2Ekvi"}},
        PassCase{.name = "MissingClosingQuoteIsInvalid",
                 .info = H + "D:I:\"Indices.kvi\r\n",
                 .served = {{"Indices.kvi", kNew}},
                 .statuses = {"Ongeldige update instructieregel \"D:I:\"Indices.kvi\"", "De update is gelukt"},
                 .lastCoreAfter = ""},
        PassCase{.name = "OnlyAnErrorLine",
                 .info = H + "E geen abonnement\r\n",
                 .statuses = {"Error: \"E geen abonnement\"", "De update is gelukt"},
                 .lastCoreAfter = ""},
        PassCase{.name = "WrongHeader",
                 .info = "prijscorrectumAutoUpdateInfoFile\r\nD:I:\"Indices.kvi\"\r\n",
                 .served = {{"Indices.kvi", kNew}},
                 .code = 4,
                 .statuses = {"Ongeldig antwoord ontvangen"}},
        PassCase{.name = "EmptyInformationFile", .info = "", .code = 4, .statuses = {"Ongeldig antwoord ontvangen"}},
        PassCase{.name = "AnswerOf63BytesIsAnErrorText",
                 .info = H + "D:I:\"Indices.kvi\"\r\nD:I:\"Later.kvi\"\r\n",
                 .served = {{"Indices.kvi", k63}, {"Later.kvi", kNew}},
                 .code = 5,
                 .statuses = {"Probleem bij downloaden van Indices.kvi foutcode \"" + k63 + "\""},
                 .downloaded = Entries{{"Indices.kvi", ""}}},
        PassCase{.name = "AnswerOf64BytesIsTheFile",
                 .info = H + "D:I:\"Indices.kvi\"\r\n",
                 .served = {{"Indices.kvi", k64}},
                 .downloaded = Entries{{"Indices.kvi", ""}},
                 .indexFiles = {{"Indices.kvi", k64}},
                 .lastCoreAfter = ""},
        PassCase{.name = "FileNotFound",
                 .info = H + "D:I:\"Indices.kvi\"\r\n",
                 .behaviours = {{"file:Indices.kvi", {{"status", 404}, {"body", Content('x', 100)}}}},
                 .code = 5,
                 .statuses = {"Fout bij downloaden van Indices.kvi"},
                 .downloaded = Entries{{"Indices.kvi", ""}}},
        PassCase{.name = "InformationFileServerError",
                 .info = H,
                 .behaviours = {{"info", {{"status", 500}, {"body", "kapot"}}}},
                 .code = 3,
                 .statuses = {"Downloaden van informatiebestand..", "Fout bij downloaden van informatiebestand"}},
        PassCase{.name = "ConnectionClosedMidway",
                 .info = H + "D:I:\"Indices.kvi\"\r\n",
                 .behaviours = {{"file:Indices.kvi", {{"body", kNew}, {"close_after", 1000}}}},
                 .code = 5,
                 .statuses = {"Fout bij downloaden van Indices.kvi"},
                 .downloaded = Entries{{"Indices.kvi", ""}}},
        PassCase{.name = "ProxyAuthenticationAnswerIsNotTheFile",
                 .info = H + "D:I:\"Indices.kvi\"\r\n",
                 .behaviours = {{"file:Indices.kvi", {{"status", 407}, {"body", Content('p', 500)}}}},
                 .code = 5,
                 .statuses = {"Fout bij downloaden van Indices.kvi"},
                 .downloaded = Entries{{"Indices.kvi", ""}}},
        PassCase{.name = "ShortProxyAuthenticationAnswerIsAnErrorText",
                 .info = H + "D:I:\"Indices.kvi\"\r\n",
                 .behaviours = {{"file:Indices.kvi", {{"status", 407}, {"body", "Proxy login vereist"}}}},
                 .code = 5,
                 .statuses = {"Probleem bij downloaden van Indices.kvi foutcode \"Proxy login vereist\""},
                 .downloaded = Entries{{"Indices.kvi", ""}}},
        PassCase{.name = "NameLeavingTheFolder",
                 .info = H + "D:I:\"../evil.kvi\"\r\n",
                 .served = {{"evil.kvi", kNew}},
                 .code = 5,
                 .statuses = {"Ongeldige bestandsnaam \"../evil.kvi\""}},
        PassCase{.name = "AbsoluteName",
                 .info = H + "D:X:\"/tmp/evil.txt\"\r\n",
                 .code = 5,
                 .statuses = {"Ongeldige bestandsnaam \"/tmp/evil.txt\""}},
        PassCase{.name = "DeviceName",
                 .info = H + "D:C:\"NUL\"\r\n",
                 .code = 5,
                 .statuses = {"Ongeldige bestandsnaam \"NUL\""}},
        PassCase{.name = "EmptyName",
                 .info = H + "D:I:\"\"\r\n",
                 .code = 5,
                 .statuses = {"Ongeldige bestandsnaam \"\""}}),
    [](const ::testing::TestParamInfo<PassCase>& info) { return std::string(info.param.name); });

class UpdatePassTest : public UpdatePassFixture {};

TEST_F(UpdatePassTest, WrongHeaderCopiesTheReceivedFileIntoTheLog) {
  server_.SetInfo("Geen infobestand\r\nregel twee\n");
  EXPECT_EQ(RunPass(), 4);
  const auto lines = log_->Lines();
  EXPECT_TRUE(InOrder(lines, {"Downloaden via UrlMon", "Geen proxy", "Geen socks", "Prijscorrectum gebruiker onbekend",
                              "Autoupdate voortgang: Ongeldig antwoord ontvangen ",
                              std::string(kReceivedFileBegin), "", "Geen infobestand\r\nregel twee\r\n", "",
                              std::string(kReceivedFileEnd)}));
  EXPECT_EQ(server_.Requests().front(), "/update/?login=Guest");
  EXPECT_EQ(config_->LoginName, "");  // not written after a failure
}

TEST_F(UpdatePassTest, GuestLoginIsReportedAndRemembered) {
  server_.SetInfo(H);
  config_->LoginName = "Guest";
  EXPECT_EQ(RunPass(), 0);
  EXPECT_TRUE(InOrder(events_->statuses, {"Prijscorrectum gebruiker: Guest", "Downloaden van informatiebestand.."}));
  EXPECT_EQ(config_->LoginName, "Guest");
  config_->LoginName = "";
  EXPECT_EQ(RunPass(), 0);
  EXPECT_EQ(config_->LoginName, "Guest");
  EXPECT_EQ(Count(events_->statuses, "Prijscorrectum gebruiker: Guest"), 1);
}

TEST_F(UpdatePassTest, ProgressIsReportedWhileAFileArrives) {
  server_.SetInfo(H + "D:I:\"Indices.kvi\"\r\n");
  server_.SetFile("Indices.kvi", kNew);
  EXPECT_EQ(RunPass(), 0);
  EXPECT_EQ(events_->begins, 2);  // the information file, then the index file
  EXPECT_EQ(events_->barMaximum, 3000);
  EXPECT_TRUE(InOrder(events_->statuses, {"Downloaden van Indices.kvi", "BeginDownloadData", "Downloaden...",
                                          "EndDownloadData"}));
  EXPECT_TRUE(InOrder(log_->Lines(), {"Autoupdate voortgang: Downloaden... (100,00%)"}));
}

TEST_F(UpdatePassTest, WithoutUrlMonEveryFetchFallsBackOnceAndThenStartsWithIcs) {
  urlMonAvailable_ = false;
  server_.SetInfo(H + "D:I:\"A.kvi\"\r\nD:I:\"B.kvi\"\r\n");
  server_.SetFile("A.kvi", kNew);
  server_.SetFile("B.kvi", kNew);
  EXPECT_EQ(RunPass(), 0);
  const auto lines = log_->Lines();
  EXPECT_EQ(Count(lines, "Kon niet downloaden middels UrlMon, ik probeer ICS"), 1);
  EXPECT_EQ(Count(lines, "Download methode gewisseld van UrlMon naar ICS"), 1);
  EXPECT_TRUE(InOrder(events_->statuses, {"Downloaden van A.kvi", "Verbonden", "Downloading...", "Body klaar",
                                          "Downloaden van B.kvi", "Klaar"}));
  EXPECT_EQ(ReadFileBytes(IndexFolder() + "/B.kvi"), kNew);
}

TEST_F(UpdatePassTest, BothTransportsFailing) {
  server_.SetInfo(H);
  server_.SetBehaviour("info", {{"status", 404}, {"body", "weg"}});
  EXPECT_EQ(RunPass(), 3);
  const auto lines = log_->Lines();
  EXPECT_TRUE(InOrder(lines, {"Kon niet downloaden middels UrlMon, ik probeer ICS", "ICS faalde ook!"}));
  EXPECT_TRUE(InOrder(events_->statuses, {"Not Found", "Fout bij downloaden van informatiebestand"}));
}

TEST_F(UpdatePassTest, NoServerRetriesOnceWithTheSystemSetting) {
  baseUrl_ = "http://127.0.0.1:" + std::to_string(pc::testing::FreeLoopbackPort()) + "/update/";
  EXPECT_EQ(RunPass(), 1);
  // Proxy off in both, but the configured port 8080 differs from none.
  EXPECT_EQ(events_->starts, 2);
  EXPECT_EQ(Count(events_->statuses, "Kon geen verbinding krijgen, ik probeer standaard instellingen."), 1);
  EXPECT_EQ(events_->done, std::vector<std::int32_t>{1});
}

TEST_F(UpdatePassTest, NoRetryWhenTheSystemSettingIsTheSame) {
  baseUrl_ = "http://127.0.0.1:" + std::to_string(pc::testing::FreeLoopbackPort()) + "/update/";
  const int deadProxy = pc::testing::FreeLoopbackPort();
  config_->Proxy = {true, "127.0.0.1", deadProxy, settings::TProxyKind::HttpProxy, false, "", ""};
  configSystemProxy_.answer = {platform::ProxyAccessType::Proxy, "127.0.0.1:" + std::to_string(deadProxy), ""};
  EXPECT_EQ(RunPass(), 1);
  EXPECT_EQ(events_->starts, 1);
  EXPECT_TRUE(InOrder(events_->statuses, {"Kon geen verbinding krijgen, ik probeer standaard instellingen.",
                                          "Standaard instellingen zijn hetzelfde, nieuwe poging overbodig."}));
  configSystemProxy_.succeeds = false;
  events_ = std::make_unique<RecordingEvents>();
  EXPECT_EQ(RunPass(), 1);
  EXPECT_TRUE(InOrder(events_->statuses, {"Kon geen standaard instellingen verkrijgen."}));
  EXPECT_EQ(events_->starts, 1);
}

TEST_F(UpdatePassTest, FolderAndWriteFailures) {
  server_.SetInfo(H + "D:I:\"Indices.kvi\"\r\n");
  server_.SetFile("Indices.kvi", kNew);
  config_->centralPath = IndexFolder() + "/missing/";
  EXPECT_EQ(RunPass(), 6);
  EXPECT_TRUE(InOrder(events_->statuses, {"Fout bij opslaan van " + IndexFolder() + "/missing/Indices.kvi"}));
  EXPECT_TRUE(FilesIn(IndexFolder()).empty());

  // The update folder cannot be made below a plain file.
  WriteFileBytes((dir_.path() / "blocker").string(), "x");
  UpdateContext c = Context();
  c.updatesFolder = (dir_.path() / "blocker" / "Updates").string();
  events_ = std::make_unique<RecordingEvents>();
  TKVUpdate worker(c, *events_);
  worker.WaitFor();
  EXPECT_EQ(worker.ResultCode(), 2);
  EXPECT_TRUE(InOrder(events_->statuses, {"Kon de update map niet aanmaken", "De update is mislukt"}));
}

TEST_F(UpdatePassTest, ReplacedEntriesAreRelinkedByFileName) {
  config_->ReplaceDownloadedIndexInfo({{"Indices.kvi", "oud", ""}, {"Weg.kvi", "weg", ""}});
  const auto old = config_->DownloadedIndexInfo();
  std::vector<std::pair<settings::DownloadedIndexInfoPtr, settings::DownloadedIndexInfoPtr>> relinks;
  relink_ = [&](const settings::DownloadedIndexInfoPtr& from, const settings::DownloadedIndexInfoPtr& to) {
    relinks.emplace_back(from, to);
  };
  server_.SetInfo(H + "D:I:\"INDICES.kvi\"\r\nM nieuw\r\n");
  server_.SetFile("INDICES.kvi", kNew);
  EXPECT_EQ(RunPass(), 0);
  ASSERT_EQ(relinks.size(), 2u);
  EXPECT_EQ(relinks[0].first, old[0]);
  ASSERT_NE(relinks[0].second, nullptr);
  EXPECT_EQ(relinks[0].second->Memo, "nieuw");
  EXPECT_EQ(relinks[1].first, old[1]);
  EXPECT_EQ(relinks[1].second, nullptr);
  EXPECT_EQ(old[0]->Memo, "oud");  // the old entry stays valid for its holders
}

TEST_F(UpdatePassTest, StoppingDuringADownloadKeepsTheOldFile) {
  WriteFileBytes(IndexFolder() + "/Indices.kvi", kOld);
  server_.SetInfo(H + "D:I:\"Indices.kvi\"\r\n");
  server_.SetBehaviour("file:Indices.kvi", {{"body", Content('n', 64 * 200)}, {"drip", 0.05}});
  std::unique_ptr<TKVUpdate> worker;
  bool fileStarted = false;
  events_->onStatus = [&](const std::string& text) {
    if (text == "Downloaden van Indices.kvi") fileStarted = true;
    if (fileStarted && text == "Downloaden..." && worker) worker->RequestStop();
  };
  worker = std::make_unique<TKVUpdate>(Context(), *events_);
  worker->WaitFor();
  EXPECT_EQ(worker->ResultCode(), 7);
  EXPECT_TRUE(InOrder(events_->statuses, {"Downloaden van Indices.kvi", "Update voortijdig afgebroken"}));
  EXPECT_EQ(Count(events_->statuses, "Fout bij downloaden van Indices.kvi"), 0);
  EXPECT_EQ(events_->done, std::vector<std::int32_t>{7});
  EXPECT_EQ(ReadFileBytes(IndexFolder() + "/Indices.kvi"), kOld);
  EXPECT_EQ(FilesIn(IndexFolder()), std::vector<std::string>{"Indices.kvi"});
  EXPECT_TRUE(FilesIn(TempFolder()).empty());
}

TEST_F(UpdatePassTest, RunnerStartsOnePassAtATimeAndStopsIt) {
  server_.SetInfo(H);
  server_.SetBehaviour("info", {{"delay", 1}, {"body", H}});
  UpdateRunner runner([this] { return Context(); });
  runner.StartUpdate(*events_);
  runner.StartUpdate(*events_);  // ignored: one is running
  EXPECT_TRUE(runner.Running());
  runner.StopUpdate();
  EXPECT_FALSE(runner.Running());
  EXPECT_EQ(events_->done, std::vector<std::int32_t>{7});
  runner.StartUpdate(*events_);
  sync_.RunUntil([&] { return !runner.Running(); });
  runner.StopUpdate();
  EXPECT_EQ(events_->done, (std::vector<std::int32_t>{7, 0}));
}

// ---- bounds of a pass against a hostile or broken server ----

class UpdateBoundsTest : public UpdatePassFixture {
 protected:
  int RunWith(const std::function<void(UpdateContext&)>& change) {
    UpdateContext c = Context();
    change(c);
    TKVUpdate worker(c, *events_);
    worker.WaitFor();
    return worker.ResultCode();
  }
  std::string LogText() const {
    std::string all;
    for (const auto& line : log_->Lines()) all += line + "\n";
    return all;
  }
};

// 600 bytes in pieces of 64 every half second: about 128 bytes a second,
// never still long enough for the stall limit.
const nlohmann::json kTrickle = {{"body", std::string(600, 't')}, {"drip", 0.5}};

TEST_F(UpdateBoundsTest, TransferBelowTheFloorSpeedIsCutOff) {
  server_.SetInfo(H + "D:I:\"Indices.kvi\"\r\n");
  server_.SetBehaviour("file:Indices.kvi", kTrickle);
  WriteFileBytes(IndexFolder() + "/Indices.kvi", kOld);
  EXPECT_EQ(RunWith([](UpdateContext& c) {
              c.transport.minBytesPerSecond = 1024;
              c.transport.slowWindowMs = 1000;
            }),
            5);
  EXPECT_EQ(ReadFileBytes(IndexFolder() + "/Indices.kvi"), kOld);
  const std::string log = LogText();
  EXPECT_NE(log.find("UrlMon: te traag: minder dan 1024 bytes per seconde"), std::string::npos) << log;
  EXPECT_NE(log.find("ICS: te traag: minder dan 1024 bytes per seconde"), std::string::npos) << log;
  EXPECT_TRUE(FilesIn(TempFolder()).empty());
}

TEST_F(UpdateBoundsTest, PassThatTakesTooLongIsCutOff) {
  server_.SetInfo(H + "D:I:\"Indices.kvi\"\r\nD:L:\"Lokaal.kvi\"\r\n");
  server_.SetBehaviour("file:Indices.kvi", kTrickle);
  server_.SetFile("Lokaal.kvi", kNew);
  WriteFileBytes(IndexFolder() + "/Indices.kvi", kOld);
  EXPECT_EQ(RunWith([](UpdateContext& c) {
              c.transport.minBytesPerSecond = 0;  // only the bound of the pass
              c.passTimeLimitMs = 2000;
            }),
            5);
  EXPECT_TRUE(InOrder(events_->statuses, {"Downloaden van Indices.kvi",
                                          "De update duurde langer dan 2 seconden en is afgebroken",
                                          "De update is mislukt"}));
  EXPECT_EQ(ReadFileBytes(IndexFolder() + "/Indices.kvi"), kOld);
  EXPECT_FALSE(fs::exists(IndexFolder() + "/Lokaal.kvi"));
  EXPECT_EQ(Count(server_.Requests(), "/update/?login=Guest&file=Lokaal%2Ekvi"), 0);
}

TEST_F(UpdateBoundsTest, AnswersLargerThanTheirBoundAreRefused) {
  // An information file far larger than any real one.
  server_.SetBehaviour("info", {{"body", H + std::string(kMaxInfoFileBytes, 'x')}, {"chunked", true}});
  EXPECT_EQ(RunPass(), 3);
  EXPECT_LT(LogText().size(), 64u * 1024);

  // A file larger than the bound of a download.
  server_.ClearBehaviours();
  server_.SetInfo(H + "D:I:\"Indices.kvi\"\r\n");
  server_.SetFile("Indices.kvi", Content('g', 6000));
  WriteFileBytes(IndexFolder() + "/Indices.kvi", kOld);
  EXPECT_EQ(RunWith([](UpdateContext& c) { c.transport.maxBytes = 5000; }), 5);
  EXPECT_EQ(ReadFileBytes(IndexFolder() + "/Indices.kvi"), kOld);
  EXPECT_TRUE(FilesIn(TempFolder()).empty());
  EXPECT_LE(TransportOptions{}.maxBytes, 64LL * 1024 * 1024);
}

TEST_F(UpdateBoundsTest, OnlyTheStartOfAnInvalidInformationFileIsLogged) {
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += "<p>geen informatiebestand " + std::to_string(i) + "</p>\r\n";
  server_.SetInfo(junk);
  EXPECT_EQ(RunPass(), 4);
  const std::string log = LogText();
  EXPECT_NE(log.find("<p>geen informatiebestand 0</p>"), std::string::npos);
  EXPECT_EQ(log.find("<p>geen informatiebestand 4999</p>"), std::string::npos);
  EXPECT_NE(log.find(" bytes niet opgenomen)"), std::string::npos);
  EXPECT_LT(log.size(), 16u * 1024);
}

TEST_F(UpdateBoundsTest, WriteProtectedIndexFileIsLeftAndReported) {
  server_.SetInfo(H + "D:I:\"Indices.kvi\"\r\n");
  server_.SetFile("Indices.kvi", kNew);
  const std::string path = IndexFolder() + "/Indices.kvi";
  WriteFileBytes(path, kOld);
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_EQ(RunPass(), 6);
  EXPECT_TRUE(InOrder(events_->statuses, {"Bestand " + path + " is schrijfbeveiligd en is niet vervangen",
                                          "De update is mislukt"}));
  EXPECT_TRUE(InOrder(log_->Lines(), {"Autoupdate voortgang: Bestand " + path +
                                      " is schrijfbeveiligd en is niet vervangen "}));
  EXPECT_EQ(ReadFileBytes(path), kOld);
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_write, fs::perms::none);
}

}  // namespace
}  // namespace pc::update::testing
