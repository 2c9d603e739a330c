#include "update/update_log.h"

#include "common/text_routines.h"
#include "platform/folders.h"

namespace pc::update {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string Digits(int n, std::size_t width) { return PadLeft(std::to_string(n), width, '0'); }

}  // namespace

const char* ApplicationVersionText() { return PC_VERSION_TEXT; }

std::string FormatLogTime(const platform::LocalDateTime& t) {
  return Digits(t.day, 2) + "-" + Digits(t.month, 2) + "-" + Digits(t.year, 4) + ", " + Digits(t.hour, 2) + ":" +
         Digits(t.minute, 2);
}

TLog::TLog(std::string basePath, std::string extension, Clock clock, std::string versionText)
    : clock_(clock ? std::move(clock) : Clock(platform::LocalNow)), base_path_(basePath) {
  std::lock_guard lock(mutex_);
  bool created = false;
  for (int n = 0; n < kLogNameTries && file_ == nullptr; ++n) {
    std::string name = n == 0 ? basePath : basePath + std::to_string(n);
    file_ = platform::ExclusiveFile::CreateLocked(name + extension);
    if (file_ != nullptr) {
      created = true;
      base_path_ = std::move(name);
      file_path_ = file_->Path();
    }
  }
  AddLocked("Log start " + FormatLogTime(clock_()));
  AddLocked("Applicatie versie: " + versionText);
  // A file that was made but failed on its first lines has said so already.
  if (!created) AddLocked(kInMemoryNotice);
}

TLog::~TLog() { Close(); }

void TLog::Add(std::string_view line) {
  std::lock_guard lock(mutex_);
  AddLocked(line);
}

void TLog::AddLocked(std::string_view line) {
  lines_.emplace_back(line);
  if (file_ == nullptr) return;
  std::string bytes(line);
  bytes += kLineEnd;
  if (!file_->Write(bytes)) {
    // The disk gave up (full, removed): the log goes on in memory, which the
    // viewer shows whole, and the update pass is not disturbed.
    file_.reset();
    file_path_.clear();
    lines_.emplace_back(kWriteFailedNotice);
  }
}

void TLog::AddReceivedFile(std::string_view text) {
  std::lock_guard lock(mutex_);
  AddLocked(kReceivedFileBegin);
  AddLocked("");
  AddLocked(text);
  AddLocked("");
  AddLocked(kReceivedFileEnd);
}

void TLog::Close() {
  std::lock_guard lock(mutex_);
  if (closed_) return;
  closed_ = true;
  AddLocked("Log end " + FormatLogTime(clock_()));
  file_.reset();
}

bool TLog::SaveCopy(std::string& path) const { return SaveCopyTo(platform::TempFolder(), path); }

bool TLog::SaveCopyTo(const std::string& folder, std::string& path) const {
  path.clear();
  std::string bytes;
  {
    std::lock_guard lock(mutex_);
    for (const auto& line : lines_) {
      bytes += line;
      bytes += kLineEnd;
    }
  }
  const std::string target = platform::JoinPath(folder, "AutoUpdateLog.txt");
  // The log names the proxy user and the login: for the user alone.
  if (platform::WriteFileReplacing(target, bytes, 0600) != platform::FileWriteResult::Ok) return false;
  path = target;
  return true;
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
