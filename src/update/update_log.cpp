#include "update/update_log.h"

namespace pc::update {

const char* ApplicationVersionText() { return PC_VERSION_TEXT; }

std::string FormatLogTime(const platform::LocalDateTime&) { return {}; }

TLog::TLog(std::string basePath, std::string extension, Clock clock, std::string versionText)
    : clock_(std::move(clock)), base_path_(std::move(basePath)) {
  (void)extension;
  (void)versionText;
}
TLog::~TLog() = default;
void TLog::Add(std::string_view line) {
  std::lock_guard lock(mutex_);
  AddLocked(line);
}
void TLog::AddLocked(std::string_view line) { lines_.emplace_back(line); }
void TLog::AddReceivedFile(std::string_view text) { Add(text); }
void TLog::Close() {}
bool TLog::SaveCopy(std::string& path) const { return SaveCopyTo(platform::TempFolder(), path); }
bool TLog::SaveCopyTo(const std::string&, std::string& path) const {
  path.clear();
  return false;
}
std::vector<std::string> TLog::Lines() const {
  std::lock_guard lock(mutex_);
  return lines_;
}
std::size_t TLog::LineCount() const {
  std::lock_guard lock(mutex_);
  return lines_.size();
}
bool TLog::onDisk() const {
  std::lock_guard lock(mutex_);
  return file_ != nullptr;
}
std::string TLog::FilePath() const {
  std::lock_guard lock(mutex_);
  return file_path_;
}

}  // namespace pc::update
