#include "http/http_client.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "fixture/test_servers.h"

namespace pc::http {
namespace {

using pc::testing::ProxyServerKind;
using pc::testing::TestProxy;
using pc::testing::UpdateTestServer;

std::string Bytes(std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char>('a' + i % 26));
  return s;
}

struct Recorder : Observer {
  std::vector<ClientState> states;
  std::int64_t announced = -2;
  std::int64_t lastReceived = 0;
  int begins = 0;
  int ends = 0;
  std::vector<FetchError> errors;
  void OnStateChange(ClientState s) override { states.push_back(s); }
  void OnDocumentBegin(std::int64_t length) override {
    ++begins;
    announced = length;
  }
  void OnDocumentData(std::int64_t received) override { lastReceived = received; }
  void OnDocumentEnd() override { ++ends; }
  void OnError(FetchError e, const std::string&) override { errors.push_back(e); }
  bool Saw(ClientState s) const {
    for (auto x : states)
      if (x == s) return true;
    return false;
  }
};

Response Fetch(Request request, std::string* body, Observer* observer = nullptr) {
  body->clear();
  return Get(
      request,
      [body](std::string_view piece) {
        body->append(piece);
        return true;
      },
      observer);
}

class HttpClientTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(server_.Start(&why)) << why;
  }
  Request To(const std::string& query) {
    Request r;
    r.url = server_.BaseUrl() + query;
    r.timeouts.connectTimeoutMs = 3000;
    r.timeouts.stallTimeoutMs = 3000;
    r.timeouts.totalTimeoutMs = 10000;
    return r;
  }
  UpdateTestServer server_;
};

// Answers of every shape: the body reaches the sink whatever the status;
// broken transfers are errors.
TEST_F(HttpClientTest, AnswersOfEveryShape) {
  const std::string big = Bytes(200000);
  server_.SetFile("plain.kvi", big);
  server_.SetFile("empty.kvi", "");
  server_.SetBehaviour("file:missing.kvi", {{"status", 404}, {"body", "no such file"}});
  server_.SetBehaviour("file:broken.kvi", {{"status", 500}, {"body", "server broke"}});
  server_.SetBehaviour("file:cut.kvi", {{"body", Bytes(5000)}, {"close_after", 1000}});
  server_.SetBehaviour("file:chunked.kvi", {{"body", Bytes(3000)}, {"chunked", true}});
  server_.SetBehaviour("file:moved.kvi", {{"redirect", "/update/?login=x&file=plain.kvi"}});
  server_.SetBehaviour("file:auth.kvi", {{"status", 407}, {"body", "proxy wants a password"}});

  struct Case {
    const char* file;
    FetchError error;
    int status;
    std::string body;
  } cases[] = {
      {"plain.kvi", FetchError::None, 200, big},
      {"empty.kvi", FetchError::None, 200, ""},
      {"missing.kvi", FetchError::None, 404, "no such file"},
      {"broken.kvi", FetchError::None, 500, "server broke"},
      {"cut.kvi", FetchError::TransferFailed, 200, Bytes(1000)},
      {"chunked.kvi", FetchError::None, 200, Bytes(3000)},
      {"moved.kvi", FetchError::None, 200, big},
      {"auth.kvi", FetchError::None, 407, "proxy wants a password"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    std::string body;
    Recorder rec;
    const Response r = Fetch(To(std::string("?login=x&file=") + c.file), &body, &rec);
    EXPECT_EQ(r.error, c.error) << r.message;
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE(r.reachedServer);
    EXPECT_EQ(body, c.body);
    EXPECT_EQ(r.received, static_cast<std::int64_t>(c.body.size()));
    EXPECT_EQ(rec.begins, 1);
    EXPECT_EQ(rec.ends, 1);
    EXPECT_EQ(rec.errors.empty(), c.error == FetchError::None);
    EXPECT_EQ(rec.states.back(), ClientState::Ready);
  }
}

TEST_F(HttpClientTest, ReportsStatesAndProgressOfADownload) {
  server_.SetFile("index.kvi", Bytes(70000));
  std::string body;
  Recorder rec;
  const Response r = Fetch(To("?login=x&file=index.kvi"), &body, &rec);
  ASSERT_TRUE(r.Ok()) << r.message;
  EXPECT_EQ(rec.announced, 70000);
  EXPECT_EQ(rec.lastReceived, 70000);
  const ClientState order[] = {ClientState::NotConnected, ClientState::DnsLookup,   ClientState::DnsLookupDone,
                               ClientState::Connected,    ClientState::WaitingHeader, ClientState::WaitingBody,
                               ClientState::BodyReceived, ClientState::Closing,     ClientState::Ready};
  std::size_t at = 0;
  for (auto s : rec.states)
    if (at < std::size(order) && s == order[at]) ++at;
  EXPECT_EQ(at, std::size(order)) << "states out of order";
  EXPECT_FALSE(rec.Saw(ClientState::WaitingProxyConnect));
}

TEST_F(HttpClientTest, NoCacheSendsCacheBypassHeaders) {
  server_.SetBehaviour("path:/update/headers", {{"echo_headers", true}});
  Request r = To("");
  r.url = "http://127.0.0.1:" + std::to_string(server_.port()) + "/update/headers";
  std::string plain;
  ASSERT_TRUE(Fetch(r, &plain).Ok());
  EXPECT_EQ(plain.find("no-cache"), std::string::npos);
  r.noCache = true;
  std::string fresh;
  ASSERT_TRUE(Fetch(r, &fresh).Ok());
  EXPECT_NE(fresh.find("Cache-Control: no-cache"), std::string::npos) << fresh;
  EXPECT_NE(fresh.find("Pragma: no-cache"), std::string::npos) << fresh;
}

// Requests that must not go out at all, and servers that are not there.
TEST_F(HttpClientTest, RefusesBadRequestsAndReportsUnreachableServers) {
  struct Case {
    std::string url;
    ProxyConfig proxy;
    FetchError error;
  } cases[] = {
      {"", {}, FetchError::BadUrl},
      {"ftp://127.0.0.1/update/", {}, FetchError::BadUrl},
      {"file:///etc/passwd", {}, FetchError::BadUrl},
      {"http://127.0.0.1:1/update/\r\nX: y", {}, FetchError::BadUrl},
      {"not a url", {}, FetchError::BadUrl},
      {server_.BaseUrl(), {ProxyType::Http, "127.0.0.1", 0, "", ""}, FetchError::BadUrl},
      {server_.BaseUrl(), {ProxyType::Socks5, "", 1080, "", ""}, FetchError::BadUrl},
      {server_.BaseUrl(), {ProxyType::Http, "bad host/x", 8080, "", ""}, FetchError::BadUrl},
      {"http://127.0.0.1:" + std::to_string(pc::testing::FreeLoopbackPort()) + "/update/", {},
       FetchError::ConnectFailed},
      {server_.BaseUrl(), {ProxyType::Http, "127.0.0.1", pc::testing::FreeLoopbackPort(), "", ""},
       FetchError::ConnectFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    Request r = To("");
    r.url = c.url;
    r.proxy = c.proxy;
    std::string body;
    Recorder rec;
    const Response response = Fetch(r, &body, &rec);
    EXPECT_EQ(response.error, c.error) << response.message;
    EXPECT_FALSE(response.reachedServer);
    EXPECT_FALSE(response.message.empty());
    EXPECT_EQ(rec.errors.size(), 1u);
    EXPECT_TRUE(body.empty());
  }
}

// Every wait is bounded and a stop request ends the transfer.
TEST_F(HttpClientTest, SlowAnswersTimeOutAndAbortEndsTransfer) {
  server_.SetBehaviour("file:silent.kvi", {{"delay", 3}, {"body", "late"}});
  server_.SetBehaviour("file:drip.kvi", {{"body", Bytes(6400)}, {"drip", 0.05}});
  {
    Request r = To("?login=x&file=silent.kvi");
    r.timeouts.stallTimeoutMs = 1000;
    std::string body;
    const Response response = Fetch(r, &body);
    EXPECT_EQ(response.error, FetchError::TimedOut);
    EXPECT_TRUE(response.reachedServer);
  }
  {
    Request r = To("?login=x&file=drip.kvi");
    r.timeouts.totalTimeoutMs = 1000;
    std::string body;
    EXPECT_EQ(Fetch(r, &body).error, FetchError::TimedOut);
    EXPECT_LT(body.size(), 6400u);
  }
  {
    Request r = To("?login=x&file=drip.kvi");
    std::atomic<bool> stop{false};
    r.shouldAbort = [&] { return stop.load(); };
    std::string body;
    Recorder rec;
    const Response response = Get(
        r,
        [&](std::string_view piece) {
          body.append(piece);
          if (body.size() >= 128) stop = true;
          return true;
        },
        &rec);
    EXPECT_EQ(response.error, FetchError::Aborted);
    EXPECT_TRUE(rec.Saw(ClientState::Aborting));
    EXPECT_LT(body.size(), 6400u);
  }
  {
    Request r = To("?login=x&file=drip.kvi");
    r.shouldAbort = [] { return true; };
    std::string body;
    EXPECT_EQ(Fetch(r, &body).error, FetchError::Aborted);
    EXPECT_TRUE(body.empty());
  }
}

TEST_F(HttpClientTest, OversizedAnswersAndRefusingSinksFail) {
  server_.SetFile("big.kvi", Bytes(100000));
  Request r = To("?login=x&file=big.kvi");
  r.maxBodyBytes = 50000;
  std::string body;
  EXPECT_EQ(Fetch(r, &body).error, FetchError::TooLarge);
  r.maxBodyBytes = 1 << 20;
  const Response refused = Get(r, [](std::string_view) { return false; });
  EXPECT_EQ(refused.error, FetchError::SinkFailed);
}

// The same file through every kind of proxy, with and without logon.
struct ProxyCase {
  const char* name;
  ProxyServerKind server;
  std::string serverUser, serverPass;
  ProxyType type;
  std::string user, pass;
  FetchError error;
  int status;
};

class HttpClientProxyTest : public HttpClientTest, public ::testing::WithParamInterface<ProxyCase> {};

TEST_P(HttpClientProxyTest, FetchesThroughProxy) {
  const ProxyCase& c = GetParam();
  TestProxy proxy;
  std::string why;
  bool missing = false;
  if (!proxy.Start(c.server, c.serverUser, c.serverPass, &why, &missing)) {
    if (missing && !pc::testing::InCi()) GTEST_SKIP() << why;
    FAIL() << why;
  }
  const std::string content = Bytes(5000);
  server_.SetFile("Indices 2007+.kvi", content);
  Request r = To("?login=x&file=Indices%202007%2B.kvi");
  r.proxy = {c.type, "127.0.0.1", proxy.port(), c.user, c.pass};
  std::string body;
  Recorder rec;
  const Response response = Fetch(r, &body, &rec);
  EXPECT_EQ(response.error, c.error) << response.message;
  EXPECT_EQ(response.status, c.status);
  EXPECT_TRUE(rec.Saw(ClientState::WaitingProxyConnect));
  if (c.status == 200) {
    EXPECT_EQ(body, content);
    ASSERT_FALSE(server_.Requests().empty());
    EXPECT_EQ(server_.Requests().back(), "/update/?login=x&file=Indices%202007%2B.kvi");
  } else {
    EXPECT_NE(body, content);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Proxies, HttpClientProxyTest,
    ::testing::Values(
        ProxyCase{"SquidOpen", ProxyServerKind::Squid, "", "", ProxyType::Http, "", "", FetchError::None, 200},
        ProxyCase{"SquidLogon", ProxyServerKind::Squid, "piet", "geheim", ProxyType::Http, "piet", "geheim",
                  FetchError::None, 200},
        ProxyCase{"SquidWrongPassword", ProxyServerKind::Squid, "piet", "geheim", ProxyType::Http, "piet", "fout",
                  FetchError::None, 407},
        ProxyCase{"SquidNoLogon", ProxyServerKind::Squid, "piet", "geheim", ProxyType::Http, "", "",
                  FetchError::None, 407},
        ProxyCase{"DanteSocks4", ProxyServerKind::Dante, "", "", ProxyType::Socks4, "piet", "", FetchError::None,
                  200},
        ProxyCase{"DanteSocks5", ProxyServerKind::Dante, "", "", ProxyType::Socks5, "", "", FetchError::None, 200},
        ProxyCase{"Socks4a", ProxyServerKind::Socks4a, "", "", ProxyType::Socks4a, "", "", FetchError::None, 200},
        ProxyCase{"MicroSocksOpen", ProxyServerKind::MicroSocks, "", "", ProxyType::Socks5, "", "",
                  FetchError::None, 200},
        ProxyCase{"MicroSocksLogon", ProxyServerKind::MicroSocks, "piet", "geheim", ProxyType::Socks5, "piet",
                  "geheim", FetchError::None, 200},
        ProxyCase{"MicroSocksWrongPassword", ProxyServerKind::MicroSocks, "piet", "geheim", ProxyType::Socks5,
                  "piet", "fout", FetchError::ProxyFailed, 0},
        ProxyCase{"MicroSocksNoLogon", ProxyServerKind::MicroSocks, "piet", "geheim", ProxyType::Socks5, "", "",
                  FetchError::ProxyFailed, 0}),
    [](const ::testing::TestParamInfo<ProxyCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pc::http
