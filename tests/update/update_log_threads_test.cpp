// The worker thread and the main thread add lines at the same time while the
// viewer reads: every line must arrive whole, once, in each thread's order,
// and the file must hold exactly what memory holds.
#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "temp_dir.h"
#include "update/update_log.h"

namespace pc::update {
namespace {

TEST(UpdateLogThreads, LinesFromSeveralThreadsAreAllPresentAndWhole) {
  pc::testing::TempDir dir;
  constexpr int kThreads = 4;
  constexpr int kLines = 500;
  std::vector<std::string> file_lines;
  std::vector<std::string> lines;
  {
    TLog log(dir.File("AutoUpdateLog"), ".txt", [] { return platform::LocalDateTime{2007, 7, 5, 9, 41, 0}; }, "v");
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
      writers.emplace_back([&log, t] {
        for (int i = 0; i < kLines; ++i) {
          const std::string line = "thread " + std::to_string(t) + " line " + std::to_string(i) + " " +
                                   std::string(static_cast<std::size_t>(i % 97), static_cast<char>('a' + t));
          if (i % 50 == 0) {
            log.AddReceivedFile(line + "\r\nsecond\r\n");
          } else {
            log.Add(line);
          }
        }
      });
    }
    std::thread viewer([&log] {
      std::size_t seen = 0;
      for (int i = 0; i < 200; ++i) {
        const std::size_t now = log.Lines().size();
        EXPECT_GE(now, seen) << "lines are only ever added";
        seen = now;
        log.LineCount();
        log.onDisk();
      }
    });
    for (auto& w : writers) w.join();
    viewer.join();
    lines = log.Lines();
  }

  // Every thread's lines, in its own order, each whole.
  std::map<int, int> next;
  for (const auto& line : lines) {
    if (line.rfind("thread ", 0) != 0) continue;
    const int t = line[7] - '0';
    const std::size_t at = line.find(" line ");
    ASSERT_NE(at, std::string::npos) << line;
    const int i = std::stoi(line.substr(at + 6));
    EXPECT_EQ(i, next[t]) << "thread " << t;
    next[t] = i + 1;
    std::string want = "thread " + std::to_string(t) + " line " + std::to_string(i) + " " +
                       std::string(static_cast<std::size_t>(i % 97), static_cast<char>('a' + t));
    if (i % 50 == 0) want += "\r\nsecond\r\n";
    EXPECT_EQ(line, want);
  }
  for (int t = 0; t < kThreads; ++t) EXPECT_EQ(next[t], kLines) << "thread " << t;
  // a received-file copy stays together, its five entries in a row
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (lines[k] == kReceivedFileBegin) {
      ASSERT_LT(k + 4, lines.size());
      EXPECT_EQ(lines[k + 4], kReceivedFileEnd);
    }
  }
  // the file holds what memory holds, and the closing line after it
  std::string want;
  for (const auto& l : lines) want += l + "\r\n";
  want += "Log end 05-07-2007, 09:41\r\n";
  const std::string file = pc::testing::ReadFile(dir.File("AutoUpdateLog.txt"));
  EXPECT_EQ(file.size(), want.size());
  EXPECT_TRUE(file == want) << "the file differs from the lines in memory";
}

}  // namespace
}  // namespace pc::update
