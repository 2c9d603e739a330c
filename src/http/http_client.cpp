#include "http/http_client.h"

#include <curl/curl.h>

#include <sys/socket.h>

#include <mutex>

namespace pc::http {
namespace {

void GlobalInitOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Everything the libcurl callbacks need, for one request.
struct Transfer {
  const Request* request = nullptr;
  const Sink* sink = nullptr;
  Observer* observer = nullptr;
  CURL* curl = nullptr;
  bool begun = false;
  bool reached = false;
  bool aborted = false;
  bool tooLarge = false;
  bool sinkFailed = false;
  std::int64_t received = 0;

  void State(ClientState s) const {
    if (observer != nullptr) observer->OnStateChange(s);
  }
  bool AbortRequested() {
    if (!aborted && request->shouldAbort && request->shouldAbort()) {
      aborted = true;
      State(ClientState::Aborting);
    }
    return aborted;
  }
};

std::size_t OnWrite(char* data, std::size_t size, std::size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const std::size_t n = size * count;
  if (t->AbortRequested()) return 0;
  if (!t->begun) {
    t->begun = true;
    curl_off_t length = -1;
    if (curl_easy_getinfo(t->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) length = -1;
    if (t->observer != nullptr) t->observer->OnDocumentBegin(length < 0 ? -1 : static_cast<std::int64_t>(length));
  }
  if (t->received + static_cast<std::int64_t>(n) > t->request->maxBodyBytes) {
    t->tooLarge = true;
    return 0;
  }
  if (!(*t->sink)(std::string_view(data, n))) {
    t->sinkFailed = true;
    return 0;
  }
  t->received += static_cast<std::int64_t>(n);
  if (t->observer != nullptr) t->observer->OnDocumentData(t->received);
  if (t->AbortRequested()) return 0;
  return n;
}

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const std::size_t n = size * count;
  t->reached = true;
  std::string_view line(data, n);
  if (line == "\r\n" || line == "\n") {
    long code = 0;
    curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &code);
    if (code >= 200) t->State(ClientState::WaitingBody);
  }
  return n;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  return t->AbortRequested() ? 1 : 0;
}

curl_socket_t OnOpenSocket(void* user, curlsocktype, curl_sockaddr* address) {
  auto* t = static_cast<Transfer*>(user);
  t->State(ClientState::DnsLookupDone);
  if (t->request->proxy.type != ProxyType::None) t->State(ClientState::WaitingProxyConnect);
  return ::socket(address->family, address->socktype, address->protocol);
}

int OnPrereq(void* user, char*, char*, int, int) {
  auto* t = static_cast<Transfer*>(user);
  t->reached = true;
  t->State(ClientState::Connected);
  t->State(ClientState::WaitingHeader);
  return CURL_PREREQFUNC_OK;
}

FetchError Classify(CURLcode code, const Transfer& t) {
  if (t.aborted) return FetchError::Aborted;
  if (t.tooLarge) return FetchError::TooLarge;
  if (t.sinkFailed) return FetchError::SinkFailed;
  switch (code) {
    case CURLE_OK: return FetchError::None;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT: return FetchError::BadUrl;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return FetchError::ResolveFailed;
    case CURLE_COULDNT_CONNECT: return FetchError::ConnectFailed;
    case CURLE_PROXY: return FetchError::ProxyFailed;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM: return FetchError::TlsFailed;
    case CURLE_OPERATION_TIMEDOUT: return FetchError::TimedOut;
    case CURLE_ABORTED_BY_CALLBACK: return FetchError::Aborted;
    case CURLE_FILESIZE_EXCEEDED: return FetchError::TooLarge;
    case CURLE_WRITE_ERROR: return FetchError::SinkFailed;
    case CURLE_OUT_OF_MEMORY:
    case CURLE_FAILED_INIT: return FetchError::Internal;
    default: return FetchError::TransferFailed;
  }
}

long CurlProxyType(ProxyType type) {
  switch (type) {
    case ProxyType::Socks4: return CURLPROXY_SOCKS4;
    case ProxyType::Socks4a: return CURLPROXY_SOCKS4A;
    case ProxyType::Socks5: return CURLPROXY_SOCKS5_HOSTNAME;
    default: return CURLPROXY_HTTP;
  }
}

// Host text for a proxy URL: IPv6 literals need their brackets.
std::string ProxyHost(const std::string& host) {
  if (host.find(':') != std::string::npos && host.front() != '[') return "[" + host + "]";
  return host;
}

bool ValidProxy(const ProxyConfig& p) {
  if (p.type == ProxyType::None) return true;
  if (p.host.empty() || p.port <= 0 || p.port > 65535) return false;
  for (char c : p.host) {
    const auto u = static_cast<unsigned char>(c);
    if (u <= ' ' || u >= 0x7F || c == '/' || c == '@' || c == '?' || c == '#') return false;
  }
  return true;
}

}  // namespace

Response Get(const Request& request, const Sink& sink, Observer* observer) {
  Response response;
  auto fail = [&](FetchError e, std::string message) {
    response.error = e;
    response.message = std::move(message);
    if (observer != nullptr) observer->OnError(e, response.message);
    return response;
  };
  if (request.url.empty() || request.url.find_first_of(std::string_view("\0\r\n", 3)) != std::string::npos) {
    return fail(FetchError::BadUrl, "invalid URL");
  }
  if (!ValidProxy(request.proxy)) return fail(FetchError::BadUrl, "invalid proxy host or port");

  GlobalInitOnce();
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return fail(FetchError::Internal, "could not create HTTP handle");

  Transfer t;
  t.request = &request;
  t.sink = &sink;
  t.observer = observer;
  t.curl = curl;

  char errorBuffer[CURL_ERROR_SIZE] = {};
  curl_slist* headers = nullptr;
  if (request.noCache) {
    headers = curl_slist_append(headers, "Cache-Control: no-cache");
    headers = curl_slist_append(headers, "Pragma: no-cache");
  }
  for (const auto& h : request.extraHeaders) headers = curl_slist_append(headers, h.c_str());

  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!request.caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, request.caFile.c_str());
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "PrijsCorrectum");
  if (headers != nullptr) curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

  // Bounded waits: connect, no progress, and the request as a whole.
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, request.timeouts.connectTimeoutMs);
  if (request.timeouts.totalTimeoutMs > 0) curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, request.timeouts.totalTimeoutMs);
  const long stallSeconds = request.timeouts.stallTimeoutMs <= 0 ? 1 : (request.timeouts.stallTimeoutMs + 999) / 1000;
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stallSeconds);
  if (request.maxBodyBytes > 0) curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(request.maxBodyBytes));

  // The proxy is always set explicitly, so the environment's proxy
  // variables never redirect a request behind the caller's back.
  std::string proxyUrl;
  if (request.proxy.type == ProxyType::None) {
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
  } else {
    proxyUrl = ProxyHost(request.proxy.host) + ":" + std::to_string(request.proxy.port);
    curl_easy_setopt(curl, CURLOPT_PROXY, proxyUrl.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXYTYPE, CurlProxyType(request.proxy.type));
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "");
    if (!request.proxy.user.empty()) {
      curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, request.proxy.user.c_str());
      curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, request.proxy.password.c_str());
      if (request.proxy.type == ProxyType::Http) curl_easy_setopt(curl, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_ANY));
    }
  }

  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnWrite);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, OnHeader);
  curl_easy_setopt(curl, CURLOPT_HEADERDATA, &t);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &t);
  curl_easy_setopt(curl, CURLOPT_OPENSOCKETFUNCTION, OnOpenSocket);
  curl_easy_setopt(curl, CURLOPT_OPENSOCKETDATA, &t);
  curl_easy_setopt(curl, CURLOPT_PREREQFUNCTION, OnPrereq);
  curl_easy_setopt(curl, CURLOPT_PREREQDATA, &t);

  t.State(ClientState::NotConnected);
  t.State(ClientState::DnsLookup);
  const CURLcode code = t.AbortRequested() ? CURLE_ABORTED_BY_CALLBACK : curl_easy_perform(curl);

  long status = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  response.status = static_cast<int>(status);
  response.received = t.received;
  response.reachedServer = t.reached || status > 0;
  response.error = Classify(code, t);

  if (response.error == FetchError::None) {
    if (!t.begun && observer != nullptr) observer->OnDocumentBegin(0);
    t.begun = true;
    t.State(ClientState::BodyReceived);
  }
  if (t.begun && observer != nullptr) observer->OnDocumentEnd();
  t.State(ClientState::Closing);
  t.State(ClientState::Ready);

  if (response.error != FetchError::None) {
    std::string message = errorBuffer[0] != '\0' ? std::string(errorBuffer) : std::string(curl_easy_strerror(code));
    if (response.error == FetchError::Aborted) message = "aborted";
    if (response.error == FetchError::TooLarge) message = "answer too large";
    if (response.error == FetchError::SinkFailed) message = "could not store the answer";
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return fail(response.error, std::move(message));
  }
  curl_slist_free_all(headers);
  curl_easy_cleanup(curl);
  return response;
}

}  // namespace pc::http
