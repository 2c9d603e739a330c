#include <gtest/gtest.h>
#include <sys/file.h>

#include <fcntl.h>
#include <unistd.h>

#include "platform/folders.h"
#include "temp_dir.h"
#include "update/update_log.h"

namespace pc::update {
namespace {

using pc::testing::ReadFile;
using pc::testing::TempDir;
using pc::testing::WriteFile;

platform::LocalDateTime FixedTime() { return {2007, 7, 5, 9, 41, 12}; }

// Holds an exclusive lock on a file, as another run of the program would.
class HeldLock {
 public:
  explicit HeldLock(const std::string& path) : fd_(::open(path.c_str(), O_WRONLY | O_CREAT, 0644)) {
    if (fd_ >= 0) ::flock(fd_, LOCK_EX);
  }
  ~HeldLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  int fd_;
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\r\n";
  return out;
}

TEST(FormatLogTime, IsDayMonthYearCommaHoursMinutes) {
  EXPECT_EQ(FormatLogTime({2007, 7, 5, 9, 41, 59}), "05-07-2007, 09:41");
  EXPECT_EQ(FormatLogTime({2026, 12, 31, 23, 59, 0}), "31-12-2026, 23:59");
  EXPECT_EQ(FormatLogTime({999, 1, 1, 0, 0, 0}), "01-01-0999, 00:00");
}

TEST(UpdateLog, OpensWithStartAndVersionLinesAndWritesEveryLineAtOnce) {
  TempDir dir;
  const std::string base = dir.File("AutoUpdateLog");
  WriteFile(base + ".txt", "lines of the previous run\r\n");
  TLog log(base, ".txt", FixedTime, "2007.07 Beta");
  ASSERT_TRUE(log.onDisk());
  EXPECT_EQ(log.basePath(), base);
  EXPECT_EQ(log.FilePath(), base + ".txt");
  EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Log start 05-07-2007, 09:41", "Applicatie versie: 2007.07 Beta"}));
  EXPECT_EQ(ReadFile(base + ".txt"), "Log start 05-07-2007, 09:41\r\nApplicatie versie: 2007.07 Beta\r\n");

  const char* lines[] = {"Downloaden via UrlMon", "", "Autoupdate voortgang: Downloaden van x.kvi (12,50%)",
                         "caf\xE9 \x80"};
  std::string want = ReadFile(base + ".txt");
  for (const char* line : lines) {
    log.Add(line);
    want += std::string(line) + "\r\n";
    EXPECT_EQ(ReadFile(base + ".txt"), want) << "on disk before Add returns: " << line;
  }
  log.Close();
  want += "Log end 05-07-2007, 09:41\r\n";
  EXPECT_EQ(ReadFile(base + ".txt"), want);
  EXPECT_EQ(Joined(log.Lines()), want);
  log.Close();  // once only
  EXPECT_EQ(log.LineCount(), 7u);
}

TEST(UpdateLog, TheDestructorWritesTheEndLine) {
  TempDir dir;
  { TLog log(dir.File("L"), ".txt", FixedTime, "v"); }
  EXPECT_EQ(ReadFile(dir.File("L.txt")), "Log start 05-07-2007, 09:41\r\nApplicatie versie: v\r\nLog end 05-07-2007, 09:41\r\n");
}

TEST(UpdateLog, TriesNumberedNamesWhileEarlierOnesAreLocked) {
  for (const int locked : {1, 2, 5, 99}) {
    TempDir dir;
    const std::string base = dir.File("AutoUpdateLog");
    std::vector<std::unique_ptr<HeldLock>> locks;
    for (int n = 0; n < locked; ++n) {
      const std::string name = n == 0 ? base : base + std::to_string(n);
      WriteFile(name + ".txt", "other run");
      locks.push_back(std::make_unique<HeldLock>(name + ".txt"));
    }
    TLog log(base, ".txt", FixedTime, "v");
    ASSERT_TRUE(log.onDisk()) << locked;
    EXPECT_EQ(log.basePath(), base + std::to_string(locked));
    EXPECT_EQ(log.FilePath(), base + std::to_string(locked) + ".txt");
    EXPECT_EQ(ReadFile(base + ".txt"), "other run") << "a locked log is left whole";
    EXPECT_EQ(log.LineCount(), 2u);
  }
}

TEST(UpdateLog, LivesInMemoryWhenNoneOfTheHundredNamesCanBeMade) {
  TempDir dir;
  WriteFile(dir.File("plain"), "x");
  struct Case {
    const char* what;
    std::string base;
    bool lockAll;
    bool foldersInTheWay;
  } cases[] = {
      {"folder missing", dir.File("missing/AutoUpdateLog"), false, false},
      {"a file where the folder should be", dir.File("plain/AutoUpdateLog"), false, false},
      {"all hundred locked", dir.File("locked/AutoUpdateLog"), true, false},
      {"folders in the way of every name", dir.File("dirs/AutoUpdateLog"), false, true},
  };
  for (const auto& c : cases) {
    std::vector<std::unique_ptr<HeldLock>> locks;
    for (int n = 0; n < kLogNameTries; ++n) {
      const std::string name = (n == 0 ? c.base : c.base + std::to_string(n)) + ".txt";
      if (c.lockAll) {
        platform::CreateFolderWithParents(dir.File("locked"));
        locks.push_back(std::make_unique<HeldLock>(name));
      }
      if (c.foldersInTheWay) platform::CreateFolderWithParents(name);
    }
    TLog log(c.base, ".txt", FixedTime, "2007.07 Beta");
    EXPECT_FALSE(log.onDisk()) << c.what;
    EXPECT_EQ(log.FilePath(), "") << c.what;
    log.Add("Geen proxy");
    EXPECT_EQ(log.Lines(), (std::vector<std::string>{"Log start 05-07-2007, 09:41", "Applicatie versie: 2007.07 Beta",
                                                     std::string(kInMemoryNotice), "Geen proxy"}))
        << c.what;
  }
  // the hundredth name is the last one tried
  if (true) {
    std::vector<std::unique_ptr<HeldLock>> locks;
    const std::string base = dir.File("AutoUpdateLog");
    for (int n = 0; n < kLogNameTries; ++n) {
      locks.push_back(std::make_unique<HeldLock>((n == 0 ? base : base + std::to_string(n)) + ".txt"));
    }
    TLog log(base, ".txt", FixedTime, "v");
    EXPECT_FALSE(log.onDisk());
    EXPECT_FALSE(platform::FileExists(base + "100.txt"));
  }
}

TEST(UpdateLog, AReceivedFileIsCopiedBetweenMarkersWithItsOwnLineBreaks) {
  TempDir dir;
  TLog log(dir.File("L"), ".txt", FixedTime, "v");
  const std::string received = "Not the header\r\nD I \"x.kvi\"\r\n";
  log.AddReceivedFile(received);
  const auto lines = log.Lines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[2], kReceivedFileBegin);
  EXPECT_EQ(lines[2].size(), 52u);
  EXPECT_EQ(lines[3], "");
  EXPECT_EQ(lines[4], received) << "one entry, line breaks kept";
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(lines[6], kReceivedFileEnd);
  EXPECT_EQ(lines[6].size(), 52u);
  EXPECT_EQ(ReadFile(dir.File("L.txt")), Joined(lines));
}

TEST(UpdateLog, AWriteThatFailsMovesTheLogToMemory) {
  TempDir dir;
  ASSERT_EQ(::symlink("/dev/full", dir.File("Full.txt").c_str()), 0);
  TLog log(dir.File("Full"), ".txt", FixedTime, "v");
  // the first line already failed to be written
  EXPECT_FALSE(log.onDisk());
  log.Add("after");
  const auto lines = log.Lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Log start 05-07-2007, 09:41");
  EXPECT_EQ(lines[1], kWriteFailedNotice);
  EXPECT_EQ(lines[2], "Applicatie versie: v");
  EXPECT_EQ(lines[3], "after");
}

TEST(UpdateLog, SaveCopyWritesEveryLineToTheTemporaryFolder) {
  TempDir dir;
  TLog log(dir.File("missing/L"), ".txt", FixedTime, "v");  // in memory only: the copy still has it all
  log.Add("een");
  log.Add("twee");
  std::string path = "stale";
  ASSERT_TRUE(log.SaveCopyTo(dir.path() + "/", path));
  EXPECT_EQ(path, dir.File("AutoUpdateLog.txt"));
  EXPECT_EQ(ReadFile(path), Joined(log.Lines()));
  log.Add("drie");
  ASSERT_TRUE(log.SaveCopyTo(dir.path(), path));
  EXPECT_EQ(ReadFile(path), Joined(log.Lines())) << "replaced, not appended";

  EXPECT_FALSE(log.SaveCopyTo(dir.File("nowhere/"), path));
  EXPECT_EQ(path, "") << "a copy that was not made names no file";

  // the real one goes to the system's temporary folder
  std::string real;
  ASSERT_TRUE(log.SaveCopy(real));
  EXPECT_EQ(real, platform::TempFolder() + "AutoUpdateLog.txt");
  EXPECT_EQ(ReadFile(real), Joined(log.Lines()));
}

TEST(UpdateLog, TheBuildNamesItsVersion) {
  EXPECT_STRNE(ApplicationVersionText(), "");
  TempDir dir;
  TLog log(dir.File("L"), ".txt");
  const auto lines = log.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], std::string("Applicatie versie: ") + ApplicationVersionText());
  EXPECT_EQ(lines[0].rfind("Log start ", 0), 0u);
  EXPECT_EQ(lines[0].size(), std::string("Log start 05-07-2007, 09:41").size());
}

}  // namespace
}  // namespace pc::update
