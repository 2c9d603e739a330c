#include "update/ics_transport.h"

#include "update/transfer_pace.h"

#include "http/status_text.h"

namespace pc::update {
namespace {

class StatusBridge : public http::Observer {
 public:
  explicit StatusBridge(TransportHost& host) : host_(host) {}

  void OnStateChange(http::ClientState s) override {
    if (s == http::ClientState::Connected) host_.SetConnected();
    if (s == http::ClientState::BodyReceived) host_.SetPosition(-1);
    host_.Status(ClientStateText(s));
  }
  void OnDocumentBegin(std::int64_t length) override {
    host_.SetDownloadRunning(true);
    host_.SetPosition(-1);
    host_.Status("Downloading...");
    const std::int32_t size = length < 0 ? 0 : ClampToInt32(length);
    host_.SetProgress(0, size);
    host_.DownloadBegin(size);
  }
  void OnDocumentData(std::int64_t received) override {
    host_.SetPosition(ClampToInt32(received));
    host_.ResendStatus();
  }
  void OnDocumentEnd() override {
    host_.SetDownloadRunning(false);
    host_.DownloadEnd();
  }

 private:
  TransportHost& host_;
};

}  // namespace

http::ProxyConfig ProxyFromSettings(const settings::proxyInfoRec& proxy) {
  http::ProxyConfig out;
  if (!proxy.Enabled) return out;
  switch (proxy.ProxyKind) {
    case settings::TProxyKind::Socks4: out.type = http::ProxyType::Socks4; break;
    case settings::TProxyKind::Socks4A: out.type = http::ProxyType::Socks4a; break;
    case settings::TProxyKind::Socks5: out.type = http::ProxyType::Socks5; break;
    default: out.type = http::ProxyType::Http; break;
  }
  out.host = proxy.Host;
  out.port = proxy.Port;
  if (!proxy.User.empty()) {
    out.user = proxy.User;
    out.password = proxy.Pass;
  }
  return out;
}

const char* ClientStateText(http::ClientState state) {
  switch (state) {
    case http::ClientState::Ready: return "Klaar";
    case http::ClientState::NotConnected: return "Niet verbonden";
    case http::ClientState::Connected: return "Verbonden";
    case http::ClientState::DnsLookup: return "DNS raadplegen";
    case http::ClientState::DnsLookupDone: return "DNS raadplegen klaar";
    case http::ClientState::WaitingHeader: return "Wachten op header";
    case http::ClientState::WaitingBody: return "Wachten op body";
    case http::ClientState::BodyReceived: return "Body klaar";
    case http::ClientState::WaitingProxyConnect: return "Wachten op proxy verbinding";
    case http::ClientState::Closing: return "Verbinding sluiten";
    case http::ClientState::Aborting: return "Anuleren";
  }
  return "onbekende status!";
}

TIcsTransport::TIcsTransport(TransportOptions options) : options_(std::move(options)) {}

bool TIcsTransport::Fetch(const std::string& url, std::string& out, std::int64_t maxBytes) {
  out.clear();
  last_status_ = 0;
  last_error_.clear();
  SilentHost silent;
  TransportHost& host = host_ != nullptr ? *host_ : silent;
  StatusBridge bridge(host);

  http::Request request;
  request.url = url;
  request.proxy = proxy_;
  request.timeouts = options_.timeouts;
  request.caFile = options_.caFile;
  request.maxBodyBytes = maxBytes > 0 ? maxBytes : options_.maxBytes;
  TransferPace pace(options_.minBytesPerSecond, options_.slowWindowMs);
  bool tooSlow = false;
  request.shouldAbort = [&host, &pace, &tooSlow] {
    tooSlow = tooSlow || pace.TooSlow();
    return tooSlow || host.StopRequested();
  };
  const http::Response response = http::Get(
      request,
      [&out, &pace](std::string_view piece) {
        out.append(piece);
        pace.Received(static_cast<std::int64_t>(out.size()));
        return true;
      },
      &bridge);
  last_status_ = response.status;

  const bool socks = proxy_.type == http::ProxyType::Socks4 || proxy_.type == http::ProxyType::Socks4a ||
                     proxy_.type == http::ProxyType::Socks5;
  if (!response.Ok()) {
    last_error_ = tooSlow ? pace.Explanation() : response.message;
    host.SetPosition(-1);
    if (response.error == http::FetchError::ProxyFailed && socks) {
      host.Status(response.message);
    } else if (response.status != 0) {
      host.Status(http::StatusText(response.status));
    }
    out.clear();
    return false;
  }
  if (response.status >= 400 && response.status != 401 && response.status != 407) {
    last_error_ = "HTTP status " + std::to_string(response.status);
    host.SetPosition(-1);
    host.Status(http::StatusText(response.status));
    out.clear();
    return false;
  }
  return true;
}

}  // namespace pc::update
