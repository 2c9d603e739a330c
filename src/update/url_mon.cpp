#include "update/url_mon.h"

#include "update/transfer_pace.h"

#include <cstdio>
#include <memory>

#include "settings/proxy_list.h"

namespace pc::update {
namespace {

constexpr const char* kBindStatusNames[] = {
    "FindingResource", "Connecting", "Redirecting", "BeginDownloadData", "DownloadingData", "EndDownloadData",
    "BeginDownloadComponents", "InstallingComponents", "EndDownloadComponents", "UsingCachedCopy",
    "SendingRequest", "ClassIDAvailable", "MIMETypeAvailable", "CacheFileNameAvailable", "BeginSyncOperation",
    "EndSyncOperation", "BeginUploadData", "UploadingData", "EndUploadData", "ProtocolClassID", "Encoding",
    "VerifiedMIMETypeAvailable", "ClassInstallLocation", "Decoding", "LoadingMIMEHandler",
    "ContentDispositionAttach", "FilterReportMIMEType", "CLSIDCanInstantiate", "IUnKnownAvailable", "DirectBind",
    "RawMIMEType", "ProxyDetecting", "AcceptRanges", "CookieSent", "CompactPolicyReceived", "CookieSuppressed",
    "CookieStateUnknown", "CookieStateAccept", "CookeStateReject", "CookieStatePrompt", "CookieStateLeash",
    "CookieStateDowngrade", "PolicyHREF", "P3PHeader", "SessionCookieReceived", "PersistentCookieReceived",
    "SessionCookiesAllowed"};
static_assert(std::size(kBindStatusNames) == 47);

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// The host part of an http(s) URL, without brackets.
std::string UrlHost(const std::string& url) {
  auto start = url.find("://");
  start = start == std::string::npos ? 0 : start + 3;
  auto end = url.find_first_of("/?#", start);
  std::string authority = url.substr(start, end == std::string::npos ? std::string::npos : end - start);
  if (const auto at = authority.rfind('@'); at != std::string::npos) authority.erase(0, at + 1);
  if (!authority.empty() && authority[0] == '[') return authority.substr(1, authority.find(']') - 1);
  return authority.substr(0, authority.find(':'));
}

bool Bypassed(const std::string& bypassList, const std::string& host) {
  std::size_t start = 0;
  while (start <= bypassList.size()) {
    auto end = bypassList.find_first_of(";, ", start);
    if (end == std::string::npos) end = bypassList.size();
    const std::string_view entry = std::string_view(bypassList).substr(start, end - start);
    if (!entry.empty()) {
      if (entry == "*" || SameText(entry, host)) return true;
      if (entry == "<local>" && host.find('.') == std::string::npos) return true;
      const std::string_view suffix = entry[0] == '.' ? entry : (entry.starts_with("*.") ? entry.substr(1) : "");
      if (!suffix.empty() && host.size() > suffix.size() &&
          SameText(std::string_view(host).substr(host.size() - suffix.size()), suffix)) {
        return true;
      }
    }
    start = end + 1;
  }
  return false;
}

// Turns the HTTP client's events into bind-status notifications.
class BindStatusBridge : public http::Observer {
 public:
  explicit BindStatusBridge(TUrlMon& urlMon) : url_mon_(urlMon) {}
  bool aborted = false;

  void OnStateChange(http::ClientState s) override {
    switch (s) {
      case http::ClientState::DnsLookup: Notify(0, 0, kBindFindingResource); break;
      case http::ClientState::Connected: Notify(0, 0, kBindConnecting); break;
      case http::ClientState::WaitingHeader: Notify(0, 0, kBindSendingRequest); break;
      case http::ClientState::WaitingBody: Notify(0, 0, kBindMimeTypeAvailable); break;
      default: break;
    }
  }
  void OnDocumentBegin(std::int64_t length) override {
    max_ = length < 0 ? 0 : static_cast<std::uint32_t>(ClampToInt32(length));
    Notify(0, max_, kBindBeginDownloadData);
  }
  void OnDocumentData(std::int64_t received) override {
    received_ = static_cast<std::uint32_t>(ClampToInt32(received));
    Notify(received_, max_, kBindDownloadingData);
  }
  void OnDocumentEnd() override { Notify(received_, max_, kBindEndDownloadData); }

 private:
  void Notify(std::uint32_t progress, std::uint32_t max, int code) {
    if (!url_mon_.OnProgress(progress, max, code)) aborted = true;
  }
  TUrlMon& url_mon_;
  std::uint32_t max_ = 0;
  std::uint32_t received_ = 0;
};

}  // namespace

const char* BindStatusName(int code) {
  if (code < 1 || code > 47) return "";
  return kBindStatusNames[code - 1];
}

http::ProxyConfig SystemProxyFor(const platform::SystemProxy* systemProxy, const std::string& url) {
  http::ProxyConfig none;
  if (systemProxy == nullptr) return none;
  platform::SystemProxyInfo info;
  if (!systemProxy->Query(info) || info.accessType != platform::ProxyAccessType::Proxy) return none;
  std::string host, port;
  settings::SplitProxyList(info.proxyList, host, port);
  int portNumber = 0;
  for (char c : port) {
    if (c < '0' || c > '9' || portNumber > 65535) return none;
    portNumber = portNumber * 10 + (c - '0');
  }
  if (host.empty() || portNumber < 1 || portNumber > 65535) return none;
  if (Bypassed(info.bypassList, UrlHost(url))) return none;
  return {http::ProxyType::Http, host, portNumber, "", ""};
}

TUrlMon::TUrlMon(const platform::SystemProxy* systemProxy, TransportOptions options, bool available)
    : system_proxy_(systemProxy), options_(std::move(options)), available_(available) {}

bool TUrlMon::OnProgress(std::uint32_t progress, std::uint32_t progressMax, int code) {
  if (host_ == nullptr) return true;
  const bool stop = host_->StopRequested();
  host_->SetProgress(ClampToInt32(progress), ClampToInt32(progressMax));
  switch (code) {
    case kBindBeginDownloadData:
      host_->SetConnected();
      host_->SetDownloadRunning(true);
      host_->DownloadBegin(ClampToInt32(progressMax));
      host_->Status("BeginDownloadData");
      break;
    case kBindDownloadingData:
      host_->Status("Downloaden...");
      break;
    case kBindEndDownloadData:
      host_->SetDownloadRunning(false);
      host_->DownloadEnd();
      host_->Status("EndDownloadData");
      break;
    case kBindMimeTypeAvailable:
      host_->SetConnected();
      host_->Status("MIMETypeAvailable");
      break;
    default:
      host_->Status(BindStatusName(code));
      break;
  }
  return !stop;
}

bool TUrlMon::FetchToFile(const std::string& url, const std::string& file, std::int64_t maxBytes) {
  last_error_.clear();
  if (!available_) {
    last_error_ = "URL download service not available";
    return false;
  }
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"), &std::fclose);
  if (!out) {
    last_error_ = "cannot write " + file;
    return false;
  }
  http::Request request;
  request.url = url;
  request.proxy = SystemProxyFor(system_proxy_, url);
  request.timeouts = options_.timeouts;
  request.caFile = options_.caFile;
  request.maxBodyBytes = maxBytes > 0 ? maxBytes : options_.maxBytes;
  request.noCache = true;  // stands in for removing the URL from the cache
  BindStatusBridge bridge(*this);
  TransferPace pace(options_.minBytesPerSecond, options_.slowWindowMs);
  bool tooSlow = false;
  std::int64_t written = 0;
  request.shouldAbort = [&bridge, &pace, &tooSlow, this] {
    tooSlow = tooSlow || pace.TooSlow();
    return tooSlow || bridge.aborted || (host_ != nullptr && host_->StopRequested());
  };
  const http::Response response = http::Get(
      request,
      [&out, &pace, &written](std::string_view piece) {
        written += static_cast<std::int64_t>(piece.size());
        pace.Received(written);
        return std::fwrite(piece.data(), 1, piece.size(), out.get()) == piece.size();
      },
      &bridge);
  const bool flushed = std::fflush(out.get()) == 0;
  if (!response.Ok()) {
    last_error_ = tooSlow ? pace.Explanation() : response.message;
    return false;
  }
  if (response.status < 200 || response.status > 299) {
    last_error_ = "HTTP status " + std::to_string(response.status);
    return false;
  }
  if (!flushed) {
    last_error_ = "cannot write " + file;
    return false;
  }
  return true;
}

}  // namespace pc::update
