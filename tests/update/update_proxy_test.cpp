#include <gtest/gtest.h>

#include "update/proxy_check.h"
#include "update_fixture.h"

namespace pc::update::testing {
namespace {

using pc::testing::ProxyServerKind;
using pc::testing::ReadFileBytes;
using pc::testing::TestProxy;
using settings::TProxyKind;

const std::string H = "PrijsCorrectumAutoUpdateInfoFile\r\n";

// Starts `proxy`, or skips (outside CI) when its program is not installed.
#define START_PROXY(proxy, kind, user, pass)                              \
  do {                                                                    \
    std::string why_;                                                     \
    bool missing_ = false;                                                \
    if (!(proxy).Start(kind, user, pass, &why_, &missing_)) {             \
      if (missing_ && !pc::testing::InCi()) GTEST_SKIP() << why_;         \
      FAIL() << why_;                                                     \
    }                                                                     \
  } while (0)

struct RouteCase {
  const char* name;
  bool urlMon;                 // UrlMon available (it goes through the system setting)
  bool systemProxy;            // the system setting names the test proxy (an HTTP proxy)
  ProxyServerKind server;
  std::string serverUser, serverPass;
  bool configured;             // the configured connection names the test proxy
  TProxyKind kind;
  std::string user, pass;
  std::vector<std::string> logLines;
};

class UpdateRouteTest : public UpdatePassFixture, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(UpdateRouteTest, FetchesEveryFile) {
  const RouteCase& c = GetParam();
  TestProxy proxy;
  START_PROXY(proxy, c.server, c.serverUser, c.serverPass);
  const std::string port = std::to_string(proxy.port());
  urlMonAvailable_ = c.urlMon;
  if (c.systemProxy) urlMonProxy_.answer = {platform::ProxyAccessType::Proxy, "127.0.0.1:" + port, ""};
  if (c.configured) config_->Proxy = {true, "127.0.0.1", proxy.port(), c.kind, !c.user.empty(), c.user, c.pass};

  server_.SetInfo(H + "D:C:\"setup 2.exe\"\r\nD:I:\"Indices.kvi\"\r\nM memo\r\nD:X:\"extra+.txt\"\r\n");
  server_.SetFile("setup 2.exe", Content('s', 20000));
  server_.SetFile("Indices.kvi", Content('i', 70000));
  server_.SetFile("extra+.txt", Content('x', 64));
  EXPECT_EQ(RunPass(), 0);
  EXPECT_EQ(ReadFileBytes(UpdatesFolder() + "/setup 2.exe"), Content('s', 20000));
  EXPECT_EQ(ReadFileBytes(UpdatesFolder() + "/extra+.txt"), Content('x', 64));
  EXPECT_EQ(ReadFileBytes(IndexFolder() + "/Indices.kvi"), Content('i', 70000));
  EXPECT_EQ(config_->LastDownloadedCoreFile, "setup 2.exe");
  EXPECT_EQ(events_->starts, 1);
  auto logLines = c.logLines;
  for (auto& l : logLines)
    if (l.ends_with(":PORT")) l.replace(l.size() - 4, 4, port);
  EXPECT_TRUE(InOrder(log_->Lines(), logLines));
  EXPECT_EQ(Count(log_->Lines(), "Kon niet downloaden middels UrlMon, ik probeer ICS"), c.urlMon ? 0 : 1);
}

const std::vector<std::string> kDirect = {"Geen proxy", "Geen socks"};

INSTANTIATE_TEST_SUITE_P(
    Routes, UpdateRouteTest,
    ::testing::Values(
        RouteCase{"UrlMonDirect", true, false, ProxyServerKind::MicroSocks, "", "", false, TProxyKind::HttpProxy, "",
                  "", {"Downloaden via UrlMon", "Geen proxy", "Geen socks"}},
        RouteCase{"UrlMonThroughSystemProxy", true, true, ProxyServerKind::Squid, "", "", false,
                  TProxyKind::HttpProxy, "", "", {"Downloaden via UrlMon"}},
        RouteCase{"IcsHttpProxy", false, false, ProxyServerKind::Squid, "", "", true, TProxyKind::HttpProxy, "", "",
                  {"Proxy: 127.0.0.1:PORT", "Geen proxy user", "Geen socks"}},
        RouteCase{"IcsHttpProxyLogon", false, false, ProxyServerKind::Squid, "piet", "geheim", true,
                  TProxyKind::HttpProxy, "piet", "geheim",
                  {"Proxy: 127.0.0.1:PORT", "Proxy user: piet", "Proxy wachtwoord bekend", "Geen socks"}},
        RouteCase{"IcsSocks4", false, false, ProxyServerKind::Dante, "", "", true, TProxyKind::Socks4, "piet", "",
                  {"Geen proxy", "Socks: 127.0.0.1:PORT", "Socks versie: 4", "Socks user: piet",
                   "Geen socks wachtwoord"}},
        RouteCase{"IcsSocks4a", false, false, ProxyServerKind::Socks4a, "", "", true, TProxyKind::Socks4A, "", "",
                  {"Socks versie: 4a", "Geen socks user"}},
        RouteCase{"IcsSocks5", false, false, ProxyServerKind::Dante, "", "", true, TProxyKind::Socks5, "", "",
                  {"Socks versie: 5"}},
        RouteCase{"IcsSocks5Logon", false, false, ProxyServerKind::MicroSocks, "piet", "geheim", true,
                  TProxyKind::Socks5, "piet", "geheim",
                  {"Socks: 127.0.0.1:PORT", "Socks versie: 5", "Socks user: piet", "Socks wachtwoord bekend",
                   "Prijscorrectum gebruiker onbekend"}}),
    [](const ::testing::TestParamInfo<RouteCase>& info) { return std::string(info.param.name); });

class UpdateRetryTest : public UpdatePassFixture {};

TEST_F(UpdateRetryTest, RefusedSocksLogonIsRetriedWithTheSystemSetting) {
  TestProxy socks;
  START_PROXY(socks, ProxyServerKind::MicroSocks, "piet", "geheim");
  urlMonAvailable_ = false;
  config_->Proxy = {true, "127.0.0.1", socks.port(), TProxyKind::Socks5, true, "piet", "fout"};
  server_.SetInfo(H);
  EXPECT_EQ(RunPass(), 0);  // the second attempt goes direct
  EXPECT_EQ(events_->starts, 2);
  EXPECT_TRUE(InOrder(events_->statuses, {"Fout bij downloaden van informatiebestand", "De update is mislukt",
                                          "Kon geen verbinding krijgen, ik probeer standaard instellingen.",
                                          "Start autoupdate 20070705094107", "De update is gelukt"}));
  EXPECT_TRUE(InOrder(log_->Lines(), {"Socks versie: 5", "Geen proxy", "Geen socks"}));
}

TEST_F(UpdateRetryTest, DeadProxyIsRetriedThroughTheSystemProxy) {
  TestProxy squid;
  START_PROXY(squid, ProxyServerKind::Squid, "", "");
  urlMonAvailable_ = false;
  const int dead = pc::testing::FreeLoopbackPort();
  config_->Proxy = {true, "127.0.0.1", dead, TProxyKind::HttpProxy, false, "", ""};
  configSystemProxy_.answer = {platform::ProxyAccessType::Proxy,
                               "http=127.0.0.1:" + std::to_string(squid.port()) + ";https=x:1", ""};
  server_.SetInfo(H + "D:I:\"Indices.kvi\"\r\n");
  server_.SetFile("Indices.kvi", Content('i', 100));
  EXPECT_EQ(RunPass(), 0);
  EXPECT_EQ(events_->starts, 2);
  EXPECT_TRUE(InOrder(log_->Lines(), {"Proxy: 127.0.0.1:" + std::to_string(dead),
                                      "Proxy: 127.0.0.1:" + std::to_string(squid.port())}));
  EXPECT_EQ(ReadFileBytes(IndexFolder() + "/Indices.kvi"), Content('i', 100));
}

// ---- the connection test -------------------------------------------------

class ProxyCheckTest : public UpdatePassFixture {
 protected:
  std::unique_ptr<TProxyCheck> MakeCheck(bool urlMon) {
    ProxyCheckContext c(sync_);
    c.systemProxy = &urlMonProxy_;
    c.baseUrl = server_.BaseUrl();
    c.tempFolder = TempFolder();
    c.transport.timeouts = {2000, 2000, 10000};
    c.urlMonAvailable = urlMon;
    return std::make_unique<TProxyCheck>(c, [this, &check = check_] {
      states_.push_back(check ? check->state() : 255);
    });
  }
  // One run with the given settings; returns whether it was reachable.
  bool RunCheck(bool proxyOn, std::uint8_t kind, int port, const std::string& user = "",
                const std::string& pass = "") {
    check_->proxyOn = proxyOn;
    check_->kind = kind;
    check_->host = "127.0.0.1";
    check_->port = port;
    check_->user = user;
    check_->password = pass;
    check_->logonNeeded = !user.empty();
    const std::size_t before = states_.size();
    check_->Resume();
    sync_.RunUntil([&] { return states_.size() >= before + 2; });
    EXPECT_EQ(states_[before], TProxyCheck::kChecking);
    EXPECT_EQ(states_[before + 1], TProxyCheck::kDone);
    EXPECT_EQ(check_->state(), TProxyCheck::kDone);
    return check_->reachable();
  }
  std::unique_ptr<TProxyCheck> check_;
  std::vector<int> states_;
};

TEST_F(ProxyCheckTest, FirstLineDecides) {
  const struct {
    std::string file;
    bool reachable;
  } cases[] = {
      {"['{E9540832-8D40-46E1-9BA3-03F7233000AD}']\r\nrest", true},
      {"  \t['{E9540832-8D40-46E1-9BA3-03F7233000AD}']   \n", true},
      {"['{e9540832-8d40-46e1-9ba3-03f7233000ad}']", false},
      {"\r\n['{E9540832-8D40-46E1-9BA3-03F7233000AD}']", false},
      {"something else", false},
      {"", false},
  };
  check_ = MakeCheck(true);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    server_.SetProxyCheck(c.file);
    EXPECT_EQ(RunCheck(false, 0, 0), c.reachable);
  }
  std::error_code ec;
  std::filesystem::remove(server_.root() / "proxy_check.txt", ec);
  EXPECT_FALSE(RunCheck(false, 0, 0));  // 404
  EXPECT_TRUE(FilesIn(TempFolder()).empty());
  check_->Terminate();
  EXPECT_EQ(server_.Requests().back(), "/update/proxy_check.txt");
}

struct CheckCase {
  const char* name;
  ProxyServerKind server;
  std::string serverUser, serverPass;
  std::uint8_t kind;
  std::string user, pass;
  bool reachable;
};

class ProxyCheckKindTest : public ProxyCheckTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ProxyCheckKindTest, ReachesTheServerThroughTheSettingsUnderTest) {
  const CheckCase& c = GetParam();
  TestProxy proxy;
  START_PROXY(proxy, c.server, c.serverUser, c.serverPass);
  server_.SetProxyCheck("['{E9540832-8D40-46E1-9BA3-03F7233000AD}']\r\n");
  check_ = MakeCheck(false);  // UrlMon missing: only the settings under test count
  EXPECT_EQ(RunCheck(true, c.kind, proxy.port(), c.user, c.pass), c.reachable);
  // Switched off afterwards: neither the proxy nor SOCKS is used any more.
  EXPECT_TRUE(RunCheck(false, c.kind, pc::testing::FreeLoopbackPort()));
  // And a proxy that is not there never reaches it.
  EXPECT_FALSE(RunCheck(true, c.kind, pc::testing::FreeLoopbackPort()));
  check_->Terminate();
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ProxyCheckKindTest,
    ::testing::Values(CheckCase{"HttpProxy", ProxyServerKind::Squid, "", "", 0, "", "", true},
                      CheckCase{"HttpProxyLogon", ProxyServerKind::Squid, "piet", "geheim", 0, "piet", "geheim", true},
                      CheckCase{"HttpProxyWrongPassword", ProxyServerKind::Squid, "piet", "geheim", 0, "piet", "x",
                                false},
                      CheckCase{"Socks4", ProxyServerKind::Dante, "", "", 1, "", "", true},
                      CheckCase{"Socks4a", ProxyServerKind::Socks4a, "", "", 2, "", "", true},
                      CheckCase{"Socks5", ProxyServerKind::Dante, "", "", 3, "", "", true},
                      CheckCase{"Socks5Logon", ProxyServerKind::MicroSocks, "piet", "geheim", 3, "piet", "geheim",
                                true},
                      CheckCase{"Socks5WrongPassword", ProxyServerKind::MicroSocks, "piet", "geheim", 3, "piet", "x",
                                false},
                      CheckCase{"WrongKind", ProxyServerKind::MicroSocks, "", "", 0, "", "", false}),
    [](const ::testing::TestParamInfo<CheckCase>& info) { return std::string(info.param.name); });

TEST_F(ProxyCheckTest, UrlMonThroughTheSystemSettingComesFirst) {
  TestProxy squid;
  START_PROXY(squid, ProxyServerKind::Squid, "", "");
  server_.SetProxyCheck("['{E9540832-8D40-46E1-9BA3-03F7233000AD}']");
  urlMonProxy_.answer = {platform::ProxyAccessType::Proxy, "127.0.0.1:" + std::to_string(squid.port()), ""};
  check_ = MakeCheck(true);
  // The settings under test are wrong, but the system's own ones work.
  EXPECT_TRUE(RunCheck(true, 3, pc::testing::FreeLoopbackPort()));
  check_->Terminate();
  check_->Terminate();  // a second time does nothing
}

TEST_F(ProxyCheckTest, TerminateWhileIdleOrChecking) {
  check_ = MakeCheck(true);
  check_->Terminate();
  EXPECT_EQ(check_->state(), TProxyCheck::kIdle);
  server_.SetBehaviour("path:/update/proxy_check.txt", {{"delay", 3}, {"body", "late"}});
  check_ = MakeCheck(true);
  check_->proxyOn = false;
  check_->Resume();
  sync_.RunUntil([&] { return !states_.empty(); });
  check_->Terminate();  // ends the run without waiting for the slow answer
  EXPECT_FALSE(check_->reachable());
  EXPECT_EQ(check_->state(), TProxyCheck::kChecking);
}

}  // namespace
}  // namespace pc::update::testing
