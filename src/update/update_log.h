// TLog: the log of the update passes of this run. Every line is kept in
// memory and, when the file could be created, written to it at once (lines
// end in CR LF, texts single-byte), so the log survives a crash of the
// program. The file is emptied at every start and holds this run only.
//
// Add and every reader may be called from several threads at once.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_write.h"
#include "platform/folders.h"
#include "platform/local_time.h"

namespace pc::update {

// The version text of this build, written into the second line of the log.
const char* ApplicationVersionText();

inline constexpr std::string_view kInMemoryNotice =
    "Kon log file niet op disk aanmaken, log wordt alleen in geheugen beheerd.";
// What the main window shows when the log lives in memory only.
inline constexpr std::string_view kInMemoryWarning =
    "Kon het update log niet op disk aanmaken, er wordt alleen in het geheugen een log bij gehouden.";
inline constexpr std::string_view kWriteFailedNotice =
    "Schrijven naar log file mislukt, log wordt verder alleen in geheugen beheerd.";
inline constexpr std::string_view kReceivedFileBegin = "===============ontvangen bestand====================";
inline constexpr std::string_view kReceivedFileEnd = "============einde ontvangen bestand=================";
inline constexpr int kLogNameTries = 100;

// "dd-mm-yyyy, hh:nn", e.g. "05-07-2007, 09:41".
std::string FormatLogTime(const platform::LocalDateTime& t);

class TLog {
 public:
  using Clock = std::function<platform::LocalDateTime()>;

  // Create: opens basePath + extension for writing, emptied, or when that
  // fails (missing folder, no rights, locked by another run) basePath + "1",
  // ... basePath + "99", and writes the opening lines: "Log start " + time,
  // "Applicatie versie: " + version, and, when no file could be made, the
  // in-memory notice.
  TLog(std::string basePath, std::string extension, Clock clock = platform::LocalNow,
       std::string versionText = ApplicationVersionText());
  // Destroy: Close, when it has not been called.
  ~TLog();
  TLog(const TLog&) = delete;
  TLog& operator=(const TLog&) = delete;

  // Appends the line; when on disk also writes it with CR LF, handed to the
  // system before returning. A write that fails moves the log to memory
  // only, noted by a line of its own.
  void Add(std::string_view line);
  // The copy of a received file: marker, empty line, the whole text as one
  // entry, empty line, end marker.
  void AddReceivedFile(std::string_view text);
  // Adds "Log end " + time and closes the file. Later Adds stay in memory.
  void Close();

  // Writes every line, each followed by CR LF, to TempFolder() +
  // "AutoUpdateLog.txt", replacing it. True with `path` set on success;
  // false with `path` empty when it could not be written.
  bool SaveCopy(std::string& path) const;
  // The same into another folder (which must end with the separator).
  bool SaveCopyTo(const std::string& folder, std::string& path) const;

  std::vector<std::string> Lines() const;  // a copy of every line so far
  std::size_t LineCount() const;
  bool onDisk() const;
  // The name without extension that was used (basePath, or basePath + n);
  // basePath itself when no file could be made.
  const std::string& basePath() const { return base_path_; }
  // The full name of the file; empty when in memory only.
  std::string FilePath() const;

 private:
  void AddLocked(std::string_view line);  // requires mutex_ held

  Clock clock_;
  mutable std::mutex mutex_;
  std::unique_ptr<platform::ExclusiveFile> file_;
  std::vector<std::string> lines_;
  std::string base_path_;
  std::string file_path_;
  bool closed_ = false;
};

}  // namespace pc::update
