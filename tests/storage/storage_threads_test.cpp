// Documents may be saved and read on more than one thread at a time (the
// update worker writes downloaded index files while the window works):
// the shared key generator must stay sound and every file must come back.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "storage/storage_file.h"
#include "storage_test_util.h"

namespace pc::storage {
namespace {

TEST(StorageThreadsTest, ConcurrentSavesAndLoadsStayApart) {
  testing::ScratchFolder dir;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 10; ++round) {
        const std::string path = dir.File("t" + std::to_string(t) + ".kvi");
        TStorageFile out("v", StorageDocKind::Index, path);
        out.ComponentCount = 1;
        out.Component(1).Name = "C" + std::to_string(t * 100 + round);
        out.AddFigure(1, t + round / 100.0, 38718);
        if (out.Save() != KlWriteResult::Ok) ++failures;
        TStorageFile in("v", StorageDocKind::Index, path);
        if (in.Load() != StorageLoadResult::Ok || in.Component(1).Name != out.Component(1).Name ||
            in.FigureCount() != 1 || in.GetFigure(0).Value != out.GetFigure(0).Value)
          ++failures;
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(dir.EntryCount(), 4u) << "no temporary files left";
}

}  // namespace
}  // namespace pc::storage
