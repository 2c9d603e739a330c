// Keeps a transfer above a floor speed: a server that trickles its answer
// a few bytes a second is never caught by the stall limit (which only ends
// a transfer that receives nothing), so the average over every window of
// time must reach the floor.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace pc::update {

class TransferPace {
 public:
  using Clock = std::chrono::steady_clock;

  // A floor of 0 bytes or a window of 0 ms checks nothing.
  TransferPace(std::int64_t minBytesPerSecond, long windowMs, Clock::time_point start = Clock::now());

  // All bytes received so far.
  void Received(std::int64_t total) { total_ = total; }
  // True once a whole window has passed with fewer bytes than the floor
  // asks for; stays true after.
  bool TooSlow(Clock::time_point now = Clock::now());
  // The reason, for the log.
  std::string Explanation() const;

 private:
  std::int64_t min_bytes_per_second_;
  long window_ms_;
  Clock::time_point window_start_;
  std::int64_t window_start_bytes_ = 0;
  std::int64_t total_ = 0;
  bool too_slow_ = false;
};

}  // namespace pc::update
