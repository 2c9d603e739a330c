// The floor speed of a transfer, judged window by window.
#include "update/transfer_pace.h"

#include <gtest/gtest.h>

#include <vector>

namespace pc::update {
namespace {

using std::chrono::milliseconds;

TEST(TransferPaceTest, EveryWindowMustReachTheFloor) {
  struct Step {
    long atMs;
    std::int64_t total;
    bool tooSlow;
  };
  const struct {
    const char* name;
    std::int64_t floor;
    long windowMs;
    std::vector<Step> steps;
  } cases[] = {
      {"fast", 1000, 1000, {{500, 10, false}, {1000, 1000, false}, {2000, 2000, false}, {3000, 3100, false}}},
      {"nothing in the first window", 1000, 1000, {{999, 0, false}, {1000, 0, true}}},
      {"a trickle", 1000, 1000, {{1000, 1000, false}, {2000, 1500, true}, {9000, 99999, true}}},
      {"checked late, judged on the time that passed", 100, 1000, {{5000, 400, true}}},
      {"no floor", 0, 1000, {{60000, 0, false}}},
      {"no window", 1000, 0, {{60000, 0, false}}},
  };
  const auto start = TransferPace::Clock::now();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TransferPace pace(c.floor, c.windowMs, start);
    for (const Step& step : c.steps) {
      pace.Received(step.total);
      EXPECT_EQ(pace.TooSlow(start + milliseconds(step.atMs)), step.tooSlow) << step.atMs;
    }
  }
}

TEST(TransferPaceTest, ExplanationNamesTheFloor) {
  EXPECT_EQ(TransferPace(1024, 30000).Explanation(),
            "te traag: minder dan 1024 bytes per seconde gedurende 30000 ms");
}

}  // namespace
}  // namespace pc::update
