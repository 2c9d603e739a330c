#include <gtest/gtest.h>

#include "platform/environment.h"
#include "update/ics_transport.h"
#include "update/kv_update.h"
#include "update/server_url.h"
#include "update/update_result.h"
#include "update/url_mon.h"

namespace pc::update {
namespace {

TEST(UpdateTextsTest, ResultCodesHaveTheWindowsWords) {
  const struct {
    int code;
    const char* text;
  } cases[] = {
      {0, "De update is succesvol verlopen"},
      {1, "er kon geen verbinding gemaakt worden."},
      {2, "kon uitvoer map niet maken."},
      {3, "kon infobestand niet downloaden."},
      {4, "ongeldig infobestand ontvangen."},
      {5, "download fout."},
      {6, "kon bestand niet schrijven."},
      {7, "ds update is geannuleerd."},
      {8, "onbekende fout!"},
      {-1, "onbekende fout!"},
  };
  for (const auto& c : cases) EXPECT_EQ(UpdateResultText(c.code), c.text) << c.code;
}

TEST(UpdateTextsTest, ProgressLineShowsPercentageWithTwoDecimals) {
  const struct {
    const char* text;
    std::int32_t position, maximum;
    const char* line;
  } cases[] = {
      {"Downloaden...", -1, -1, "Autoupdate voortgang: Downloaden... "},
      {"Downloaden...", 0, 200, "Autoupdate voortgang: Downloaden... (0,00%)"},
      {"Downloaden...", 1, 3, "Autoupdate voortgang: Downloaden... (33,33%)"},
      {"Downloaden...", 2, 3, "Autoupdate voortgang: Downloaden... (66,67%)"},
      {"Downloaden...", 200, 200, "Autoupdate voortgang: Downloaden... (100,00%)"},
      {"Downloaden...", INT32_MAX, INT32_MAX, "Autoupdate voortgang: Downloaden... (100,00%)"},
      {"Verbonden", 10, 0, "Autoupdate voortgang: Verbonden "},
      {"Verbonden", 10, -1, "Autoupdate voortgang: Verbonden "},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgressLine(c.text, c.position, c.maximum), c.line);
}

TEST(UpdateTextsTest, StampAndLogin) {
  EXPECT_EQ(FormatStamp({2007, 7, 5, 9, 4, 1}), "20070705090401");
  EXPECT_EQ(FormatStamp({2100, 12, 31, 23, 59, 59}), "21001231235959");
  EXPECT_EQ(QueryLogin("jansen"), "jansen");
  EXPECT_EQ(QueryLogin("Jan.de-Vries_01@bouw.nl"), "Jan.de-Vries_01@bouw.nl");
  EXPECT_EQ(QueryLogin("a b&file=x#y%+"), "a%20b%26file=x%23y%25%2B");
  EXPECT_EQ(QueryLogin("\xE9\r\n"), "%E9%0D%0A");
}

TEST(UpdateTextsTest, BindStatusNamesAndClientStates) {
  EXPECT_STREQ(BindStatusName(1), "FindingResource");
  EXPECT_STREQ(BindStatusName(4), "BeginDownloadData");
  EXPECT_STREQ(BindStatusName(13), "MIMETypeAvailable");
  EXPECT_STREQ(BindStatusName(39), "CookeStateReject");
  EXPECT_STREQ(BindStatusName(47), "SessionCookiesAllowed");
  EXPECT_STREQ(BindStatusName(0), "");
  EXPECT_STREQ(BindStatusName(48), "");
  EXPECT_STREQ(BindStatusName(-5), "");
  EXPECT_STREQ(ClientStateText(http::ClientState::Ready), "Klaar");
  EXPECT_STREQ(ClientStateText(http::ClientState::WaitingProxyConnect), "Wachten op proxy verbinding");
  EXPECT_STREQ(ClientStateText(http::ClientState::Aborting), "Anuleren");
  EXPECT_STREQ(ClientStateText(static_cast<http::ClientState>(200)), "onbekende status!");
}

TEST(UpdateTextsTest, ProxySettingsBecomeClientConnections) {
  using settings::TProxyKind;
  const struct {
    settings::proxyInfoRec in;
    http::ProxyConfig out;
  } cases[] = {
      {{false, "p", 8080, TProxyKind::HttpProxy, true, "u", "pw"}, {}},
      {{true, "p", 8080, TProxyKind::HttpProxy, false, "", "pw"}, {http::ProxyType::Http, "p", 8080, "", ""}},
      {{true, "p", 3128, TProxyKind::HttpProxy, true, "u", "pw"}, {http::ProxyType::Http, "p", 3128, "u", "pw"}},
      {{true, "s", 1080, TProxyKind::Socks4, false, "u", ""}, {http::ProxyType::Socks4, "s", 1080, "u", ""}},
      {{true, "s", 1080, TProxyKind::Socks4A, false, "", ""}, {http::ProxyType::Socks4a, "s", 1080, "", ""}},
      {{true, "s", 1080, TProxyKind::Socks5, true, "u", "pw"}, {http::ProxyType::Socks5, "s", 1080, "u", "pw"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ProxyFromSettings(c.in), c.out);
}

TEST(UpdateTextsTest, SystemProxyForAUrl) {
  platform::MemorySystemProxy system;
  system.answer = {platform::ProxyAccessType::Proxy, "http=proxy1:8080;https=proxy2:443", "localhost;.intra"};
  const http::ProxyConfig proxy1{http::ProxyType::Http, "proxy1", 8080, "", ""};
  EXPECT_EQ(SystemProxyFor(&system, "http://update.example/update/"), proxy1);
  EXPECT_EQ(SystemProxyFor(&system, "http://LOCALHOST:8000/update/"), http::ProxyConfig{});
  EXPECT_EQ(SystemProxyFor(&system, "http://srv.intra/update/"), http::ProxyConfig{});
  EXPECT_EQ(SystemProxyFor(nullptr, "http://x/"), http::ProxyConfig{});
  system.answer.proxyList = "proxy1";  // no port
  EXPECT_EQ(SystemProxyFor(&system, "http://x/"), http::ProxyConfig{});
  system.answer.proxyList = "proxy1:99999";
  EXPECT_EQ(SystemProxyFor(&system, "http://x/"), http::ProxyConfig{});
  system.answer = {platform::ProxyAccessType::Direct, "proxy1:80", ""};
  EXPECT_EQ(SystemProxyFor(&system, "http://x/"), http::ProxyConfig{});
  system.succeeds = false;
  EXPECT_EQ(SystemProxyFor(&system, "http://x/"), http::ProxyConfig{});
}

TEST(UpdateTextsTest, ServerUrlFromOverrideEnvironmentOrBuild) {
  platform::MemoryEnvironment env;
  EXPECT_EQ(UpdateServerUrl(env), BuiltInServerUrl());
  env.Set("PRIJSCORRECTUM_UPDATE_SERVER", "");
  EXPECT_EQ(UpdateServerUrl(env), BuiltInServerUrl());
  env.Set("PRIJSCORRECTUM_UPDATE_SERVER", "http://127.0.0.1:9/update");
  EXPECT_EQ(UpdateServerUrl(env), "http://127.0.0.1:9/update/");
  EXPECT_EQ(UpdateServerUrl(env, "https://127.0.0.1:8/update/"), "https://127.0.0.1:8/update/");
  EXPECT_TRUE(IsHttpUrl("HTTPS://x/update/"));
  EXPECT_TRUE(IsHttpUrl("http://127.0.0.1:1/"));
  EXPECT_FALSE(IsHttpUrl("ftp://x/"));
  EXPECT_FALSE(IsHttpUrl("http:///x"));
  EXPECT_FALSE(IsHttpUrl("http://"));
  EXPECT_FALSE(IsHttpUrl(""));
}

}  // namespace
}  // namespace pc::update
