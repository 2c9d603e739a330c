// Blocking HTTP(S) GET through a direct connection, an HTTP proxy or a
// SOCKS 4, 4a or 5 server, with state, progress and error notifications.
//
// Every wait is bounded: connecting gives up after `connectTimeoutMs`, a
// transfer that receives nothing for `stallTimeoutMs` is ended, and no
// request lasts longer than `totalTimeoutMs`. Certificates of https servers
// are always verified. Only http and https URLs are accepted, for the
// request itself and for redirects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pc::http {

enum class ProxyType : std::uint8_t {
  None = 0,
  Http = 1,
  Socks4 = 2,
  Socks4a = 3,
  Socks5 = 4,
};

// Where the request goes first. `user` empty means no credentials; for
// SOCKS 4 and 4a the user is sent as the user id and the password unused.
struct ProxyConfig {
  ProxyType type = ProxyType::None;
  std::string host;
  int port = 0;
  std::string user;
  std::string password;

  friend bool operator==(const ProxyConfig&, const ProxyConfig&) = default;
};

struct Timeouts {
  long connectTimeoutMs = 15000;
  long stallTimeoutMs = 30000;    // no byte received for this long ends it
  long totalTimeoutMs = 30 * 60 * 1000;
};

// States reported while a request runs, in the order they normally occur.
enum class ClientState : std::uint8_t {
  Ready,
  NotConnected,
  DnsLookup,
  DnsLookupDone,
  WaitingProxyConnect,
  Connected,
  WaitingHeader,
  WaitingBody,
  BodyReceived,
  Closing,
  Aborting,
};

enum class FetchError : std::uint8_t {
  None = 0,
  BadUrl,         // empty, malformed or not http/https
  ResolveFailed,  // the host (or proxy host) name has no address
  ConnectFailed,  // the server or the proxy refused or did not answer
  ProxyFailed,    // the proxy or SOCKS server refused the request
  TlsFailed,      // certificate not trusted or handshake failed
  TimedOut,       // a connect, stall or total time-out ran out
  Aborted,        // the caller asked to stop
  TransferFailed, // the connection broke or the answer was malformed
  SinkFailed,     // the sink refused the data
  TooLarge,       // the answer exceeded `maxBodyBytes`
  Internal,       // the library could not be set up
};

// Callbacks, all on the calling thread, during Get. Default: do nothing.
class Observer {
 public:
  virtual ~Observer() = default;
  virtual void OnStateChange(ClientState) {}
  // The body begins; `contentLength` is -1 when the server did not say.
  virtual void OnDocumentBegin(std::int64_t /*contentLength*/) {}
  // More body bytes arrived; `received` counts all of them so far.
  virtual void OnDocumentData(std::int64_t /*received*/) {}
  virtual void OnDocumentEnd() {}
  // The request failed; `message` is the library's explanation.
  virtual void OnError(FetchError, const std::string& /*message*/) {}
};

struct Request {
  std::string url;
  ProxyConfig proxy;
  Timeouts timeouts;
  // Asks every cache on the way for a fresh copy.
  bool noCache = false;
  std::vector<std::string> extraHeaders;  // "Name: value"
  std::int64_t maxBodyBytes = 512LL * 1024 * 1024;
  // Certificate bundle for https; empty uses the system's.
  std::string caFile;
  // Polled often (at least about once a second, and for every block of
  // data); returning true ends the request with FetchError::Aborted.
  std::function<bool()> shouldAbort;
};

// Receives the body in pieces; returning false ends the request with
// FetchError::SinkFailed.
using Sink = std::function<bool(std::string_view)>;

struct Response {
  FetchError error = FetchError::None;
  int status = 0;        // HTTP status of the final answer, 0 when none came
  bool reachedServer = false;  // a connection (through any proxy) was made
  std::int64_t received = 0;   // body bytes handed to the sink
  std::string message;         // why it failed, empty on success

  bool Ok() const { return error == FetchError::None; }
};

// Performs one GET. Never throws; the body goes only to `sink`. The answer's
// status is not judged here: a 404 with a body is a successful transfer of
// that body, the caller decides what a status means.
Response Get(const Request& request, const Sink& sink, Observer* observer = nullptr);

}  // namespace pc::http
