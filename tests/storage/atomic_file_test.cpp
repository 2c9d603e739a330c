// Safe replacement of files: the old contents survive every failure.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "storage/atomic_file.h"
#include "storage_test_util.h"

namespace pc::storage {
namespace {

using testing::ReadWholeFile;
using testing::ScratchFolder;
using testing::WriteWholeFile;

TEST(AtomicFileTest, WritesNewAndReplacesExistingFiles) {
  ScratchFolder dir;
  const std::string path = dir.File("settings.ini");
  EXPECT_EQ(WriteFileAtomically(path, "first"), AtomicWriteResult::Ok);
  EXPECT_EQ(ReadWholeFile(path), "first");
  ::chmod(path.c_str(), 0640);
  EXPECT_EQ(WriteFileAtomically(path, std::string(100000, 'x')), AtomicWriteResult::Ok);
  EXPECT_EQ(ReadWholeFile(path), std::string(100000, 'x'));
  struct stat st{};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u) << "permission bits of the old file are kept";
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(AtomicFileTest, NothingIsVisibleBeforeCommit) {
  ScratchFolder dir;
  const std::string path = dir.File("data.kvi");
  WriteWholeFile(path, "old");
  {
    auto w = AtomicFileWriter::Create(path);
    ASSERT_TRUE(w);
    ASSERT_TRUE(w->Append("new contents"));
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(dir.EntryCount(), 2u);
    // destroyed without Commit: abandoned
  }
  EXPECT_EQ(ReadWholeFile(path), "old");
  EXPECT_EQ(dir.EntryCount(), 1u);

  auto w = AtomicFileWriter::Create(path);
  ASSERT_TRUE(w);
  ASSERT_TRUE(w->Append("new "));
  ASSERT_TRUE(w->Append("contents"));
  ASSERT_TRUE(w->Commit());
  EXPECT_EQ(ReadWholeFile(path), "new contents");
  EXPECT_FALSE(w->Append("late")) << "a committed file takes no more bytes";
  EXPECT_EQ(ReadWholeFile(path), "new contents");
}

TEST(AtomicFileTest, FailuresLeaveTheTargetAlone) {
  ScratchFolder dir;
  // no such folder
  EXPECT_EQ(WriteFileAtomically(dir.File("missing/x.kvp"), "a"), AtomicWriteResult::CreateFailed);
  // the target is a folder: never replaced
  std::filesystem::create_directory(dir.File("folder"));
  EXPECT_EQ(WriteFileAtomically(dir.File("folder"), "a"), AtomicWriteResult::CreateFailed);
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
  // a path naming a folder by its trailing slash
  EXPECT_EQ(WriteFileAtomically(dir.Folder(), "a"), AtomicWriteResult::CreateFailed);
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(AtomicFileTest, WriteProtectedFilesAreNotReplaced) {
  ScratchFolder dir;
  const std::string path = dir.File("Brug.kvp");
  WriteWholeFile(path, "old");
  ::chmod(path.c_str(), 0444);
  EXPECT_EQ(WriteFileAtomically(path, "new"), AtomicWriteResult::CreateFailed);
  EXPECT_EQ(ReadWholeFile(path), "old");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(AtomicFileTest, ALinkKeepsPointingAtTheFileWithTheNewContents) {
  ScratchFolder dir;
  std::filesystem::create_directory(dir.File("real"));
  const std::string target = dir.File("real/Indices.kvi");
  WriteWholeFile(target, "old");
  const std::string link = dir.File("Indices.kvi");
  std::filesystem::create_symlink(target, link);
  EXPECT_EQ(WriteFileAtomically(link, "new"), AtomicWriteResult::Ok);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(target), "new");
  EXPECT_EQ(dir.EntryCount(), 2u);
}

// Past the process's file-size limit a save fails and says so; the process
// is not ended by SIGXFSZ. Run in a child, whose limit is lowered.
TEST(AtomicFileTest, FileSizeLimitIsAWriteFailure) {
  ScratchFolder dir;
  const std::string path = dir.File("groot.kvp");
  WriteWholeFile(path, "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    struct rlimit limit {};
    limit.rlim_cur = limit.rlim_max = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    ::_exit(static_cast<int>(WriteFileAtomically(path, std::string(100000, 'x'))));
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
  EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(AtomicWriteResult::WriteFailed));
  EXPECT_EQ(ReadWholeFile(path), "old");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

}  // namespace
}  // namespace pc::storage
