// What a download transport tells the pass it works for. The update worker
// turns these into its notifications and log lines; the connection test
// ignores most of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "http/http_client.h"

namespace pc::update {

class TransportHost {
 public:
  virtual ~TransportHost() = default;
  // Looked at in every progress notification; true ends the transfer.
  virtual bool StopRequested() const = 0;
  // The current request reached the server.
  virtual void SetConnected() = 0;
  // A transfer of known size is running: status reports carry a position.
  virtual void SetDownloadRunning(bool running) = 0;
  // -1 means no position.
  virtual void SetProgress(std::int32_t position, std::int32_t maximum) = 0;
  virtual void SetPosition(std::int32_t position) = 0;
  // Reports `text` as the status (with the position while a transfer runs).
  virtual void Status(const std::string& text) = 0;
  // Reports the last status text again, with the current position.
  virtual void ResendStatus() = 0;
  virtual void DownloadBegin(std::int32_t size) = 0;
  virtual void DownloadEnd() = 0;
  // A line for the update log only.
  virtual void Log(std::string_view line) = 0;
};

// A host that ignores everything and never stops; for callers that need
// no notifications.
class SilentHost : public TransportHost {
 public:
  bool StopRequested() const override { return false; }
  void SetConnected() override {}
  void SetDownloadRunning(bool) override {}
  void SetProgress(std::int32_t, std::int32_t) override {}
  void SetPosition(std::int32_t) override {}
  void Status(const std::string&) override {}
  void ResendStatus() override {}
  void DownloadBegin(std::int32_t) override {}
  void DownloadEnd() override {}
  void Log(std::string_view) override {}
};

// What both transports share: bounded waits, the certificate bundle for
// https, a cap on the size of one answer (index files and set-ups are far
// smaller) and a floor on the speed of a transfer (TransferPace).
struct TransportOptions {
  http::Timeouts timeouts;
  std::string caFile;
  std::int64_t maxBytes = 64LL * 1024 * 1024;
  std::int64_t minBytesPerSecond = 1024;
  long slowWindowMs = 30000;
};

// Sizes and positions are reported as signed 32-bit numbers.
inline std::int32_t ClampToInt32(std::int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(value);
}

}  // namespace pc::update
