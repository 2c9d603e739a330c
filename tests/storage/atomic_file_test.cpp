// Safe replacement of files: the old contents survive every failure.
#include <gtest/gtest.h>
#include <fcntl.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/temp_files.h"
#include "storage/atomic_file.h"
#include "storage/staged_file_system.h"
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

// The temporary name is short and of its own: a target whose name is as
// long as the file system allows is saved like any other.
TEST(AtomicFileTest, LongestFileNameCanBeSaved) {
  ScratchFolder dir;
  const std::string path = dir.File(std::string(250, 'n') + ".kvp");
  WriteWholeFile(path, "old");
  EXPECT_EQ(WriteFileAtomically(path, "new"), AtomicWriteResult::Ok);
  EXPECT_EQ(ReadWholeFile(path), "new");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void MakeOld(const std::string& path) {
  const struct timespec times[2] = {{std::time(nullptr) - 600, 0}, {std::time(nullptr) - 600, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// A child that starts a save and waits; returns its id once the temporary
// file is there.
pid_t ChildInTheMiddleOfASave(const std::string& path) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ready[0]);
    auto writer = AtomicFileWriter::Create(path);
    if (!writer || !writer->Append("half a file")) ::_exit(3);
    (void)!::write(ready[1], "x", 1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char c = 0;
  const bool started = ::read(ready[0], &c, 1) == 1;
  ::close(ready[0]);
  return started ? child : -1;
}

TEST(AtomicFileTest, TerminationRemovesTheTemporaryFile) {
  for (const int sig : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(sig);
    ScratchFolder dir;
    const std::string path = dir.File("p.kvp");
    WriteWholeFile(path, "old");
    const pid_t child = ChildInTheMiddleOfASave(path);
    ASSERT_GT(child, 0);
    EXPECT_EQ(dir.EntryCount(), 2u);
    ::kill(child, sig);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), sig) << "the signal still ends the process";
    EXPECT_EQ(Names(dir.Folder()), std::vector<std::string>{"p.kvp"});
    EXPECT_EQ(ReadWholeFile(path), "old");
  }
}

TEST(AtomicFileTest, NextSaveRemovesTemporaryFilesOfAKilledProcess) {
  ScratchFolder dir;
  const std::string path = dir.File("p.kvp");
  WriteWholeFile(path, "old");
  const pid_t killed = ChildInTheMiddleOfASave(path);
  ASSERT_GT(killed, 0);
  ::kill(killed, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(killed, &status, 0), killed);
  std::vector<std::string> names = Names(dir.Folder());
  ASSERT_EQ(names.size(), 2u);
  const std::string stale = dir.File(names[0] == "p.kvp" ? names[1] : names[0]);
  EXPECT_TRUE(platform::IsTemporaryFileName(std::filesystem::path(stale).filename().string()));

  // A writer that is still at work keeps its file, however old.
  const pid_t busy = ChildInTheMiddleOfASave(dir.File("q.kvp"));
  ASSERT_GT(busy, 0);
  for (const auto& name : Names(dir.Folder())) MakeOld(dir.File(name));
  // Something else of the user's with a similar name stays too.
  WriteWholeFile(dir.File(".~pcnotes.tmp"), "mine");
  MakeOld(dir.File(".~pcnotes.tmp"));

  EXPECT_EQ(WriteFileAtomically(path, "new"), AtomicWriteResult::Ok);
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_EQ(dir.EntryCount(), 3u);  // p.kvp, the busy writer's file, .~pcnotes.tmp
  ::kill(busy, SIGKILL);
  ASSERT_EQ(::waitpid(busy, &status, 0), busy);

  // A fresh unlocked file may belong to a writer that is just starting.
  // (This save removes the file of the busy writer, killed meanwhile.)
  const pid_t fresh = ChildInTheMiddleOfASave(path);
  ASSERT_GT(fresh, 0);
  ::kill(fresh, SIGKILL);
  ASSERT_EQ(::waitpid(fresh, &status, 0), fresh);
  EXPECT_EQ(dir.EntryCount(), 3u);
  EXPECT_EQ(platform::RemoveStaleTemporaryFiles(dir.Folder()), 0);
  EXPECT_EQ(platform::RemoveStaleTemporaryFiles(dir.Folder(), 0), 1);
  EXPECT_EQ(Names(dir.Folder()), (std::vector<std::string>{".~pcnotes.tmp", "p.kvp"}));
}

// Files made ready together are put in place together; a file that is
// dropped before leaves the old one and no temporary file.
TEST(AtomicFileTest, StagedFilesReplaceTheOldOnesOnlyTogether) {
  ScratchFolder dir;
  WriteWholeFile(dir.File("a.kvi"), "old a");
  WriteWholeFile(dir.File("b.kvp"), "old b");
  {
    StagedFileSystem staged;
    auto a = staged.CreateReplacement(dir.File("a.kvi"));
    ASSERT_TRUE(a);
    EXPECT_FALSE(staged.CreateReplacement(dir.File("a.kvi"))) << "one path, one file";
    ASSERT_TRUE(a->Append("new a") && a->Commit());
    EXPECT_FALSE(staged.CreateReplacement(dir.File("a.kvi")));
    EXPECT_EQ(ReadWholeFile(dir.File("a.kvi")), "old a");
    // b fails half way: nothing is committed, staged is dropped
  }
  EXPECT_EQ(ReadWholeFile(dir.File("a.kvi")), "old a");
  EXPECT_EQ(dir.EntryCount(), 2u);
  StagedFileSystem staged;
  auto a = staged.CreateReplacement(dir.File("a.kvi"));
  auto b = staged.CreateReplacement(dir.File("b.kvp"));
  ASSERT_TRUE(a && b);
  ASSERT_TRUE(a->Append("new a") && a->Commit());
  ASSERT_TRUE(b->Append("new b") && b->Commit());
  EXPECT_EQ(ReadWholeFile(dir.File("b.kvp")), "old b");
  EXPECT_EQ(staged.CommitAll(), "");
  EXPECT_EQ(ReadWholeFile(dir.File("a.kvi")), "new a");
  EXPECT_EQ(ReadWholeFile(dir.File("b.kvp")), "new b");
  EXPECT_EQ(dir.EntryCount(), 2u);
}

}  // namespace
}  // namespace pc::storage
