#include <gtest/gtest.h>

#include "platform/memory_registry.h"
#include "settings/kv_config.h"
#include "settings/proxy_list.h"

namespace pc::settings {
namespace {

using platform::ProxyAccessType;

TEST(SplitProxyList, TakesTheHttpEntryOrTheWholeList) {
  struct Case {
    const char* list;
    const char* host;
    const char* port;
  } cases[] = {
      {"http=proxy1:8080;https=proxy2:443", "proxy1", "8080"},
      {"https=proxy2:443;http=proxy1:8080", "proxy1", "8080"},
      {"proxy1:3128", "proxy1", "3128"},
      {"proxy1", "", ""},
      {"", "", ""},
      {"https=proxy2:443", "proxy2", "443"},   // no "http=" entry: its own name is not part of the host
      {"HTTP=proxy3:81", "proxy3", "81"},      // "http=" is looked for as written
      {"http=proxy1", "", ""},
      {"http=:8080", "", "8080"},
      {"proxy1:", "proxy1", ""},
      {"[::1]:3128", "[::1]", "3128"},
      {"a:b:c", "a", "b:c"},
      {"socks=s1:1080", "", ""},               // a proxy for another protocol is no HTTP proxy
      {"ftp=f1:21;socks=s1:1080", "", ""},
  };
  for (const auto& c : cases) {
    std::string host = "stale";
    std::string port = "stale";
    SplitProxyList(c.list, host, port);
    EXPECT_EQ(host, c.host) << c.list;
    EXPECT_EQ(port, c.port) << c.list;
  }
}

class SystemProxySettingsTest : public ::testing::Test {
 protected:
  void Answer(bool succeeds, ProxyAccessType access, const char* list) {
    proxy_.succeeds = succeeds;
    proxy_.answer = {access, list, ""};
  }
  platform::MemoryRegistry registry_;
  platform::MemorySystemProxy proxy_;
  TKVConfig config_{{registry_, proxy_, "/opt", "/u"}};
};

TEST_F(SystemProxySettingsTest, QueryGivesOnOffHostAndPortText) {
  struct Case {
    bool succeeds;
    ProxyAccessType access;
    const char* list;
    bool enabled;
    const char* host;
    const char* port;
  } cases[] = {
      {true, ProxyAccessType::Proxy, "http=proxy1:8080;https=proxy2:443", true, "proxy1", "8080"},
      {true, ProxyAccessType::Proxy, "proxy1:3128", true, "proxy1", "3128"},
      {true, ProxyAccessType::Proxy, "proxy1", true, "", ""},  // on, though nothing to use
      {true, ProxyAccessType::Direct, "", false, "", ""},
      {true, ProxyAccessType::Direct, "proxy1:3128", false, "", ""},  // a list left over is not in use
      {false, ProxyAccessType::Proxy, "proxy1:3128", false, "", ""},
  };
  for (const auto& c : cases) {
    Answer(c.succeeds, c.access, c.list);
    bool enabled = !c.enabled;
    std::string host = "stale";
    std::string port = "stale";
    EXPECT_EQ(config_.QuerySystemProxy(enabled, host, port), c.succeeds) << c.list;
    EXPECT_EQ(enabled, c.enabled) << c.list;
    EXPECT_EQ(host, c.host) << c.list;
    EXPECT_EQ(port, c.port) << c.list;
  }
}

TEST_F(SystemProxySettingsTest, ImportTakesTheSystemProxyAsAnHttpProxy) {
  struct Case {
    bool succeeds;
    ProxyAccessType access;
    const char* list;
    bool result;
    proxyInfoRec want;
  } cases[] = {
      {true, ProxyAccessType::Proxy, "proxy1:3128", true, {true, "proxy1", 3128, TProxyKind::HttpProxy, false, "u", "p"}},
      // a port text that is no port keeps the port there was
      {true, ProxyAccessType::Proxy, "proxy1", true, {true, "", 1081, TProxyKind::HttpProxy, false, "u", "p"}},
      {true, ProxyAccessType::Proxy, "proxy1:99999", true, {true, "proxy1", 1081, TProxyKind::HttpProxy, false, "u", "p"}},
      {true, ProxyAccessType::Proxy, "proxy1:80x", true, {true, "proxy1", 1081, TProxyKind::HttpProxy, false, "u", "p"}},
      // direct: off and no host, the kind and logon as they were
      {true, ProxyAccessType::Direct, "", true, {false, "", 1081, TProxyKind::Socks5, true, "u", "p"}},
      // a setting that cannot be read changes nothing
      {false, ProxyAccessType::Proxy, "proxy1:3128", false, {true, "old", 1081, TProxyKind::Socks5, true, "u", "p"}},
  };
  for (const auto& c : cases) {
    config_.Proxy = {true, "old", 1081, TProxyKind::Socks5, true, "u", "p"};
    Answer(c.succeeds, c.access, c.list);
    EXPECT_EQ(config_.ImportSystemProxy(), c.result) << c.list;
    EXPECT_EQ(config_.Proxy, c.want) << c.list;
  }
}

}  // namespace
}  // namespace pc::settings
