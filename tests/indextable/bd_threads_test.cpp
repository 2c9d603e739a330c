// Copies of a table are read on another thread while the source changes.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "indextable/bd_config.h"
#include "table_fixture.h"

namespace pc {
namespace {

using testing::Component;

TEST(CopiesAcrossThreads, ReadersOfACopyNeverSeeTheSourceChange) {
  TBDConfig source = testing::TableJanToJun2008();
  for (int c = 0; c < 5; ++c) {
    source.AddComponent(Component("C" + std::to_string(c), 10, trend_kind::kFromFigures));
    for (int row = 1; row <= 6; row += 2) source.SetFigure(c + 1, row, false, 100 + row + c);
  }
  const TBDConfig copy = source;
  std::vector<double> expected;
  for (int p = 1; p <= 5; ++p) {
    for (int i = 0; i < kMonthCount; ++i) expected.push_back(copy.GetIndex(KeyOfMonthIndex(i), p).Figure);
  }
  std::atomic<bool> mismatch{false};
  std::thread reader([&] {
    for (int round = 0; round < 20; ++round) {
      std::size_t n = 0;
      for (int p = 1; p <= 5; ++p) {
        for (int i = 0; i < kMonthCount; ++i) {
          if (copy.GetIndex(KeyOfMonthIndex(i), p).Figure != expected[n++]) mismatch = true;
        }
      }
    }
  });
  for (int round = 0; round < 20; ++round) {
    for (int p = 1; p <= 5; ++p) source.SetFigure(p, 1 + round % 6, false, 300 + round);
    TBDConfig another = source;  // copies made meanwhile share and unshare blocks
    another.SetFigure(1, 2, false, 1);
  }
  reader.join();
  EXPECT_FALSE(mismatch.load());
}

}  // namespace
}  // namespace pc
