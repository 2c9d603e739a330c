#include "update/downloader.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "update/info_file.h"

namespace pc::update {

bool FetchThroughTempFile(TUrlMon& urlMon, const std::string& tempFolder, const std::string& url,
                          std::string& bytes, TransportHost& host, std::int64_t maxBytes) {
  bytes.clear();
  std::string name = tempFolder + "kvuXXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    host.Log("Kon tijdelijk bestand niet maken in folder " + tempFolder + ", " + std::strerror(errno));
    host.SetDownloadRunning(false);
    return false;
  }
  ::close(fd);
  bool ok = urlMon.FetchToFile(url, name, maxBytes);
  if (ok) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    ok = !in.bad();
    if (ok) bytes = content.str();
  }
  if (!ok && !urlMon.LastError().empty()) host.Log("UrlMon: " + urlMon.LastError());
  std::remove(name.c_str());
  host.SetDownloadRunning(false);
  return ok;
}

TDownloader::TDownloader(TUrlMon& urlMon, TIcsTransport& ics, TransportHost& host, std::string tempFolder)
    : url_mon_(urlMon), ics_(ics), host_(host), temp_folder_(std::move(tempFolder)) {}

bool TDownloader::ViaUrlMon(const std::string& url, std::string& bytes, std::int64_t maxBytes) {
  return FetchThroughTempFile(url_mon_, temp_folder_, url, bytes, host_, maxBytes);
}

bool TDownloader::ViaIcs(const std::string& url, std::string& bytes, int& status, std::int64_t maxBytes) {
  const bool ok = ics_.Fetch(url, bytes, maxBytes);
  status = ics_.LastStatus();
  if (!ok && !ics_.LastError().empty()) host_.Log("ICS: " + ics_.LastError());
  return ok;
}

bool TDownloader::FetchBytes(const std::string& url, std::string& bytes, int& status, std::int64_t maxBytes) {
  status = 0;
  if (useSecondTransport) {
    if (ViaIcs(url, bytes, status, maxBytes)) return true;
    if (host_.StopRequested()) return false;  // no second try once told to stop
    host_.Log("Kon niet downloaden middels ICS, ik probeer UrlMon");
    if (ViaUrlMon(url, bytes, maxBytes)) {
      status = 200;
      useSecondTransport = false;
      host_.Log("Download methode gewisseld van ICS naar UrlMon");
      return true;
    }
    host_.Log("UrlMon faalde ook!");
    return false;
  }
  if (ViaUrlMon(url, bytes, maxBytes)) {
    status = 200;
    return true;
  }
  if (host_.StopRequested()) return false;
  host_.Log("Kon niet downloaden middels UrlMon, ik probeer ICS");
  if (ViaIcs(url, bytes, status, maxBytes)) {
    useSecondTransport = true;
    host_.Log("Download methode gewisseld van UrlMon naar ICS");
    return true;
  }
  host_.Log("ICS faalde ook!");
  return false;
}

bool TDownloader::FetchLines(const std::string& url, std::vector<std::string>& lines) {
  std::string bytes;
  int status = 0;
  lines.clear();
  if (!FetchBytes(url, bytes, status, kMaxInfoFileBytes)) return false;
  lines = SplitLines(bytes);
  return true;
}

}  // namespace pc::update
