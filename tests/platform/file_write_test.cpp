#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/file_write.h"
#include "platform/folders.h"
#include "temp_dir.h"

namespace pc::platform {
namespace {

using pc::testing::ReadFile;
using pc::testing::TempDir;
using pc::testing::WriteFile;

std::size_t EntriesIn(const std::string& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

TEST(WriteFileReplacing, ReplacesTheFileWithTheGivenPermissions) {
  TempDir dir;
  const std::string path = dir.File("f.txt");
  WriteFile(path, "old");
  ASSERT_EQ(WriteFileReplacing(path, std::string("new\0bytes", 9), 0600), FileWriteResult::Ok);
  EXPECT_EQ(ReadFile(path), std::string("new\0bytes", 9));
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(EntriesIn(dir.path()), 1u) << "no temporary file left";
}

TEST(WriteFileReplacing, AFailureLeavesTheOldFileAndNoTemporaryFile) {
  TempDir dir;
  EXPECT_EQ(WriteFileReplacing(dir.File("missing/f.txt"), "x", 0644), FileWriteResult::CreateFailed);
  // a folder in the way cannot be replaced by a file
  CreateFolderWithParents(dir.File("taken"));
  WriteFile(dir.File("taken/inner"), "keep");
  EXPECT_EQ(WriteFileReplacing(dir.File("taken"), "x", 0644), FileWriteResult::ReplaceFailed);
  EXPECT_EQ(ReadFile(dir.File("taken/inner")), "keep");
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(ExclusiveFile, EmptiesTheFileAndKeepsOtherOpenersOut) {
  TempDir dir;
  const std::string path = dir.File("log.txt");
  WriteFile(path, "previous run");
  auto first = ExclusiveFile::CreateLocked(path);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(ReadFile(path), "");
  ASSERT_TRUE(first->Write("line\r\n"));
  EXPECT_EQ(ReadFile(path), "line\r\n") << "written through at once";

  EXPECT_EQ(ExclusiveFile::CreateLocked(path), nullptr);
  EXPECT_EQ(ReadFile(path), "line\r\n") << "a refused opener does not empty the file";
  first.reset();
  EXPECT_NE(ExclusiveFile::CreateLocked(path), nullptr) << "closing releases the lock";
}

TEST(ExclusiveFile, CannotBeMadeWhereNoFileCanBe) {
  TempDir dir;
  CreateFolderWithParents(dir.File("folder"));
  WriteFile(dir.File("plain"), "x");
  for (const std::string& path : {dir.File("folder"), dir.File("missing/log.txt"), dir.File("plain/log.txt"),
                                 std::string()}) {
    EXPECT_EQ(ExclusiveFile::CreateLocked(path), nullptr) << path;
  }
}

TEST(ExclusiveFile, AFailingWriteIsReported) {
  TempDir dir;
  const std::string link = dir.File("full.txt");
  ASSERT_EQ(::symlink("/dev/full", link.c_str()), 0);
  auto file = ExclusiveFile::CreateLocked(link);
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->Write("no room"));
}

}  // namespace
}  // namespace pc::platform
