#include "update/kv_update.h"

#include <sys/stat.h>
#include <unistd.h>

#include "common/cp1252.h"
#include "platform/file_write.h"
#include "platform/folders.h"
#include "update/file_names.h"
#include "update/info_file.h"

namespace pc::update {
namespace {

std::string TwoDigits(int v) {
  std::string s = std::to_string(v < 0 ? 0 : v);
  return s.size() < 2 ? "0" + s : s;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

const char* SocksVersion(http::ProxyType type) {
  switch (type) {
    case http::ProxyType::Socks4: return "4";
    case http::ProxyType::Socks4a: return "4a";
    default: return "5";
  }
}

// Port text of the system setting as a number; 0 when it is none.
std::int32_t PortNumber(const std::string& text) {
  if (text.empty() || text.size() > 5) return 0;
  std::int32_t port = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    port = port * 10 + (c - '0');
  }
  return port;
}

}  // namespace

std::string FormatStamp(const platform::LocalDateTime& t) {
  std::string year = std::to_string(t.year);
  while (year.size() < 4) year.insert(0, "0");
  return year + TwoDigits(t.month) + TwoDigits(t.day) + TwoDigits(t.hour) + TwoDigits(t.minute) +
         TwoDigits(t.second);
}

std::string ProgressLine(const std::string& text, std::int32_t position, std::int32_t barMaximum) {
  std::string line = "Autoupdate voortgang: " + text + " ";
  if (position != -1 && barMaximum > 0) {
    // Hundredths of a percent, rounded half away from zero.
    const long long scaled = static_cast<long long>(position) * 10000;
    const long long hundredths =
        (scaled >= 0 ? scaled + barMaximum / 2 : scaled - barMaximum / 2) / static_cast<long long>(barMaximum);
    const long long magnitude = hundredths < 0 ? -hundredths : hundredths;
    line += "(";
    if (hundredths < 0) line += "-";
    line += std::to_string(magnitude / 100) + "," + TwoDigits(static_cast<int>(magnitude % 100)) + "%)";
  }
  return line;
}

std::string QueryLogin(const std::string& login) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (char c : login) {
    const auto u = static_cast<unsigned char>(c);
    const bool unsafe = u <= 0x20 || u >= 0x7F || c == '"' || c == '#' || c == '%' || c == '&' || c == '+' ||
                        c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' || c == '{' || c == '|' || c == '}';
    if (unsafe) {
      out.push_back('%');
      out.push_back(kHex[u >> 4]);
      out.push_back(kHex[u & 0x0F]);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

TKVUpdate::TKVUpdate(UpdateContext context, UpdateEvents& events)
    : context_(std::move(context)),
      events_(events),
      login_name_(context_.config.LoginName),
      skip_core_file_(context_.config.SkipCoreFile),
      last_downloaded_core_file_(context_.config.LastDownloadedCoreFile),
      index_folder_(context_.config.centralPath),
      proxy_(context_.config.Proxy),
      url_mon_(context_.systemProxy, context_.transport, context_.urlMonAvailable),
      ics_(context_.transport),
      downloader_(url_mon_, ics_, *this, context_.tempFolder) {
  url_mon_.SetHost(this);
  ics_.SetHost(this);
  ics_.Configure(proxy_);
  downloader_.useSecondTransport = false;
  deadline_ = context_.passTimeLimitMs > 0
                  ? std::chrono::steady_clock::now() + std::chrono::milliseconds(context_.passTimeLimitMs)
                  : std::chrono::steady_clock::time_point::max();
  thread_ = std::thread([this] { Run(); });
}

bool TKVUpdate::PastDeadline() const { return std::chrono::steady_clock::now() >= deadline_; }

void TKVUpdate::TimeUp() {
  if (time_up_reported_) return;
  time_up_reported_ = true;
  if (!Failed()) Fail(UpdateResult::DownloadFailed);
  Status("De update duurde langer dan " + std::to_string(context_.passTimeLimitMs / 1000) +
         " seconden en is afgebroken");
}

TKVUpdate::~TKVUpdate() {
  if (thread_.joinable()) {
    RequestStop();
    WaitFor();
  }
}

void TKVUpdate::RequestStop() { stop_ = true; }

void TKVUpdate::WaitFor() {
  if (!thread_.joinable()) return;
  context_.sync.RunUntil([this] { return finished_.load(); });
  thread_.join();
}

void TKVUpdate::Status(const std::string& text) {
  status_text_ = text;
  const std::int32_t position = download_running_ ? position_ : -1;
  const std::int32_t maximum = download_running_ ? maximum_ : -1;
  context_.sync.Synchronize([&] { events_.OnUpdateStatus(text, position, maximum); });
}

void TKVUpdate::DownloadBegin(std::int32_t size) {
  context_.sync.Synchronize([&] { events_.OnDownloadBegin(size); });
}

void TKVUpdate::DownloadEnd() {
  context_.sync.Synchronize([&] { events_.OnDownloadEnd(); });
}

void TKVUpdate::LogConnection() {
  Log(downloader_.useSecondTransport ? "Downloaden via ICS" : "Downloaden via UrlMon");
  const http::ProxyConfig& p = ics_.Proxy();
  const bool httpProxy = p.type == http::ProxyType::Http;
  const bool socks = p.type != http::ProxyType::None && !httpProxy;
  if (httpProxy) {
    Log("Proxy: " + p.host + ":" + std::to_string(p.port));
    if (!p.user.empty()) {
      Log("Proxy user: " + p.user);
      Log(p.password.empty() ? "Geen proxy wachtwoord" : "Proxy wachtwoord bekend");
    } else {
      Log("Geen proxy user");
    }
  } else {
    Log("Geen proxy");
  }
  if (socks) {
    Log("Socks: " + p.host + ":" + std::to_string(p.port));
    Log(std::string("Socks versie: ") + SocksVersion(p.type));
    if (!p.user.empty()) {
      Log("Socks user: " + p.user);
      Log(p.password.empty() ? "Geen socks wachtwoord" : "Socks wachtwoord bekend");
    } else {
      Log("Geen socks user");
    }
  } else {
    Log("Geen socks");
  }
  Log(login_name_.empty() ? std::string("Prijscorrectum gebruiker onbekend")
                          : "Prijscorrectum gebruiker: " + login_name_);
}

void TKVUpdate::Run() {
  for (int attempt = 1;; ++attempt) {
    RunAttempt();
    if (attempt != 1 || result_code_.load() != static_cast<std::int32_t>(UpdateResult::NoConnection) ||
        PastDeadline())
      break;

    Status("Kon geen verbinding krijgen, ik probeer standaard instellingen.");
    bool queried = false;
    bool enabled = false;
    std::string host, port;
    context_.sync.Synchronize([&] { queried = context_.config.QuerySystemProxy(enabled, host, port); });
    if (!queried) {
      Status("Kon geen standaard instellingen verkrijgen.");
      break;
    }
    const std::int32_t portNumber = PortNumber(port);
    if (enabled == proxy_.Enabled && host == proxy_.Host && portNumber == proxy_.Port) {
      Status("Standaard instellingen zijn hetzelfde, nieuwe poging overbodig.");
      break;
    }
    settings::proxyInfoRec system;
    system.Enabled = enabled;
    system.Host = host;
    system.Port = portNumber;
    system.ProxyKind = settings::TProxyKind::HttpProxy;
    proxy_ = system;
    ics_.Configure(proxy_);
    downloader_.useSecondTransport = false;
  }
  EndOfPass();
}

void TKVUpdate::RunAttempt() {
  core_file_name_.clear();
  login_.clear();
  result_code_ = 0;
  downloaded_started_ = false;
  online_started_ = false;
  context_.sync.Synchronize([&] { events_.OnUpdateStart(); });
  Status("Start autoupdate " + Stamp());
  LogConnection();

  if (!platform::CreateFolderWithParents(context_.updatesFolder)) {
    Fail(UpdateResult::FolderFailed);
    Status("Kon de update map niet aanmaken");
  } else {
    login_ = login_name_.empty() ? std::string("Guest") : login_name_;
    if (login_name_ == "Guest") Status("Prijscorrectum gebruiker: " + login_);
    Status("Downloaden van informatiebestand..");
    connected_ = false;
    std::vector<std::string> lines;
    if (!downloader_.FetchLines(context_.baseUrl + "?login=" + QueryLogin(login_), lines)) {
      Status("Fout bij downloaden van informatiebestand");
      Fail(connected_ ? UpdateResult::InfoFileFailed : UpdateResult::NoConnection);
    } else {
      Status("Verwerken van informatiebestand..");
      ProcessLines(lines);
    }
  }

  if (stop_.load()) {
    Fail(UpdateResult::Cancelled);
    Status("Update voortijdig afgebroken");
  } else {
    if (PastDeadline()) TimeUp();
    Status(Failed() ? "De update is mislukt" : "De update is gelukt");
  }
  Status("Einde autoupdate " + Stamp());
}

void TKVUpdate::ProcessLines(const std::vector<std::string>& lines) {
  if (stop_.load()) return;
  if (lines.empty() || !HasInfoFileHeader(lines[0])) {
    Fail(UpdateResult::InvalidInfoFile);
    Status("Ongeldig antwoord ontvangen");
    // Enough of it to see what came instead; never a whole page of it.
    constexpr std::size_t kLoggedBytes = 4096;
    std::string text;
    std::size_t total = 0;
    for (const auto& line : lines) {
      total += line.size() + 2;
      if (text.size() < kLoggedBytes) text += line + "\r\n";
    }
    if (text.size() > kLoggedBytes) text.resize(kLoggedBytes);
    if (total > text.size())
      text += "\r\n... (" + std::to_string(total - text.size()) + " bytes niet opgenomen)\r\n";
    context_.log.AddReceivedFile(text);
    return;
  }
  const std::vector<PlanStep> plan = PlanInfoFile(lines, {skip_core_file_, last_downloaded_core_file_});
  using K = PlanStep::Kind;
  for (const PlanStep& step : plan) {
    if (stop_.load() || Failed()) return;
    if (PastDeadline()) {
      TimeUp();
      return;
    }
    switch (step.kind) {
      case K::Status: Status(step.text); break;
      case K::AddDownloadedIndex:
        if (!downloaded_started_) downloaded_.emplace();
        downloaded_started_ = true;
        downloaded_->push_back({step.text, "", ""});
        break;
      case K::AddOnlineIndex:
        if (!online_started_) online_.emplace();
        online_started_ = true;
        online_->push_back({step.text, ""});
        break;
      case K::AppendDownloadedMemo:
        if (downloaded_ && !downloaded_->empty()) downloaded_->back().Memo += step.text;
        break;
      case K::AppendOnlineMemo:
        if (online_ && !online_->empty()) online_->back().Memo += step.text;
        break;
      case K::SetCoreFile: core_file_name_ = step.text; break;
      case K::Fetch: FetchFile(step.text, step.target); break;
      case K::RefuseName:
        Status(step.text);
        Fail(UpdateResult::DownloadFailed);
        break;
    }
  }
}

void TKVUpdate::FetchFile(const std::string& name, TargetFolder target) {
  if (stop_.load()) return;
  const std::string& folder = target == TargetFolder::Index ? index_folder_ : context_.updatesFolder;
  const std::string path = folder.empty() ? name : platform::JoinPath(folder, name);
  // The name is Windows-1252 text; the file system's names are UTF-8.
  const std::string diskPath = platform::JoinPath(folder, Cp1252ToUtf8(name));
  // A write-protected file was made so on purpose (saving a project
  // refuses it too): it is left as it is.
  struct stat st {};
  if (!folder.empty() && ::stat(diskPath.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
      ((st.st_mode & 0222) == 0 || ::access(diskPath.c_str(), W_OK) != 0)) {
    Status("Bestand " + path + " is schrijfbeveiligd en is niet vervangen");
    Fail(UpdateResult::WriteFailed);
    return;
  }
  Status("Downloaden van " + name);
  connected_ = false;
  std::string bytes;
  int status = 0;
  const std::string url = context_.baseUrl + "?login=" + QueryLogin(login_) + "&file=" + PercentEncode(name);
  if (!downloader_.FetchBytes(url, bytes, status)) {
    if (!stop_.load()) {
      Status("Fout bij downloaden van " + name);
      Fail(connected_ ? UpdateResult::DownloadFailed : UpdateResult::NoConnection);
    }
    return;
  }
  if (bytes.size() < 64) {
    Status("Probleem bij downloaden van " + name + " foutcode " + Quoted(bytes));
    Fail(UpdateResult::DownloadFailed);
    return;
  }
  // A proxy's or server's request for credentials is not the file, however
  // long its page.
  if (status == 401 || status == 407) {
    Status("Fout bij downloaden van " + name);
    Fail(UpdateResult::DownloadFailed);
    return;
  }
  if (folder.empty() || platform::WriteFileReplacing(diskPath, bytes, 0644) != platform::FileWriteResult::Ok) {
    Status("Fout bij opslaan van " + path);
    Fail(UpdateResult::WriteFailed);
  }
}

void TKVUpdate::EndOfPass() {
  const std::int32_t code = result_code_.load();
  context_.sync.Synchronize([&] {
    settings::TKVConfig& config = context_.config;
    if (downloaded_) {
      settings::DownloadedIndexSnapshot snapshot;
      config.SnapshotDownloadedIndexInfo(snapshot);
      config.ReplaceDownloadedIndexInfo(std::move(*downloaded_));
      if (context_.relink) config.RelinkDownloadedIndexInfo(snapshot, context_.relink);
    }
    if (online_) config.ReplaceAvailOnlineIndices(std::move(*online_));
    if (code == 0) {
      config.LoginName = login_;
      config.LastDownloadedCoreFile = core_file_name_;
    }
    events_.OnUpdateDone(code);
  });
  finished_ = true;
  context_.sync.Wake();
}

void UpdateRunner::StartUpdate(UpdateEvents& events) {
  if (Running()) return;
  worker_.reset();
  worker_ = std::make_unique<TKVUpdate>(make_context_(), events);
}

void UpdateRunner::StopUpdate() {
  if (worker_ == nullptr) return;
  if (!worker_->Finished()) worker_->RequestStop();
  worker_->WaitFor();
}

}  // namespace pc::update
