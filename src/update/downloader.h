// The fall-back pair through which a pass fetches: the preferred transport
// first, the other one when it fails, remembering which one worked.
#pragma once

#include <string>
#include <vector>

#include "update/ics_transport.h"
#include "update/transport_host.h"
#include "update/url_mon.h"

namespace pc::update {

// A UrlMon fetch through a fresh temporary file in `tempFolder` ("kvu" + a
// unique part), whose contents go to `bytes`; the file is removed whatever
// happens. Failures are logged through `host`.
bool FetchThroughTempFile(TUrlMon& urlMon, const std::string& tempFolder, const std::string& url,
                          std::string& bytes, TransportHost& host, std::int64_t maxBytes = 0);

// The information file is a list of a few dozen lines; an answer beyond
// this is no information file.
inline constexpr std::int64_t kMaxInfoFileBytes = 1024 * 1024;

class TDownloader {
 public:
  // `tempFolder` (ending with the separator) receives UrlMon's temporary
  // files ("kvu" + a unique part), each removed when its fetch is over.
  TDownloader(TUrlMon& urlMon, TIcsTransport& ics, TransportHost& host, std::string tempFolder);

  // The received text as lines (split at CR LF, LF or CR); at most
  // kMaxInfoFileBytes.
  bool FetchLines(const std::string& url, std::vector<std::string>& lines);
  // The received bytes, at most `maxBytes` (the transports' cap when not
  // above 0). `status` gets the answer's HTTP status (200 when UrlMon
  // fetched it, which succeeds only on 2xx answers).
  bool FetchBytes(const std::string& url, std::string& bytes, int& status, std::int64_t maxBytes = 0);

  // Which transport is tried first: false UrlMon, true ICS.
  bool useSecondTransport = false;

 private:
  bool ViaUrlMon(const std::string& url, std::string& bytes, std::int64_t maxBytes);
  bool ViaIcs(const std::string& url, std::string& bytes, int& status, std::int64_t maxBytes);

  TUrlMon& url_mon_;
  TIcsTransport& ics_;
  TransportHost& host_;
  std::string temp_folder_;
};

}  // namespace pc::update
