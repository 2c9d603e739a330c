// The update worker rebuilds the two lists while the main thread reads
// them and project documents hold entries: no reader may see a half-made
// list or an entry that has been freed.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/memory_registry.h"
#include "settings/kv_config.h"

namespace pc::settings {
namespace {

TEST(UpdateListsThreads, ReadersSeeWholeListsWhileTheWorkerReplacesThem) {
  platform::MemoryRegistry registry;
  platform::MemorySystemProxy proxy;
  TKVConfig config({registry, proxy, "/opt", "/u"});
  constexpr int kRounds = 2000;
  constexpr int kEntries = 5;

  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int round = 0; round < kRounds; ++round) {
      const std::string tag = std::to_string(round);
      std::vector<KVDownloadedIndexInfoRec> infos;
      std::vector<KVAvailOnlineIndexRec> online;
      for (int i = 0; i < kEntries; ++i) {
        infos.push_back({"f" + std::to_string(i) + ".kvi", tag, ""});
        online.push_back({"o" + std::to_string(i) + ".kvi", tag});
      }
      if (round % 2 == 0) {
        config.ReplaceDownloadedIndexInfo(std::move(infos));
      } else {
        // the step-by-step way: clear, then add
        config.ClearDownloadedIndexInfo();
        for (auto& e : infos) config.AddDownloadedIndexInfo(std::move(e));
      }
      config.ReplaceAvailOnlineIndices(std::move(online));
    }
    done = true;
  });

  DownloadedIndexInfoPtr held;  // as a project document holds its entry
  std::size_t reads = 0;
  while (!done || reads == 0) {
    const auto online = config.AvailOnlineIndices();
    if (!online.empty()) {
      ASSERT_EQ(online.size(), static_cast<std::size_t>(kEntries));
      for (const auto& e : online) EXPECT_EQ(e.Memo, online[0].Memo) << "a list of one round only";
    }
    const auto infos = config.DownloadedIndexInfo();
    ASSERT_LE(infos.size(), static_cast<std::size_t>(kEntries));
    if (auto found = config.FindDownloadedIndexInfo("F2.KVI")) {
      EXPECT_EQ(found->FileName, "f2.kvi");
      held = found;
    }
    if (held) {
      EXPECT_FALSE(held->Memo.empty());  // still readable after its list was replaced
      config.IsDownloadedIndexInfo(held.get());
    }
    DownloadedIndexSnapshot snapshot;
    config.SnapshotDownloadedIndexInfo(snapshot);
    config.RelinkDownloadedIndexInfo(snapshot, [&](const DownloadedIndexInfoPtr& o, const DownloadedIndexInfoPtr&) {
      EXPECT_NE(o, nullptr);
    });
    ++reads;
  }
  worker.join();
  const auto last = config.FindDownloadedIndexInfo("f0.kvi");
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Memo, std::to_string(kRounds - 1));
  EXPECT_GT(reads, 0u);
}

TEST(UpdateListsThreads, SaveWhileTheListsChangeWritesAConsistentCount) {
  platform::MemoryRegistry registry;
  platform::MemorySystemProxy proxy;
  TKVConfig config({registry, proxy, "/opt", "/u"});
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    int n = 0;
    while (!stop) {
      std::vector<KVDownloadedIndexInfoRec> infos(static_cast<std::size_t>(n % 4), {"f.kvi", "m", ""});
      config.ReplaceDownloadedIndexInfo(std::move(infos));
      ++n;
    }
  });
  for (int i = 0; i < 50; ++i) {
    ASSERT_EQ(config.Save(), platform::RegistryResult::Ok);
    TKVConfig loaded({registry, proxy, "/opt", "/u"});
    loaded.Load();
    EXPECT_LE(loaded.DownloadedIndexInfo().size(), 3u);
  }
  stop = true;
  worker.join();
}

}  // namespace
}  // namespace pc::settings
