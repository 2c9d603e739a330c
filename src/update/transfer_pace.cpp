#include "update/transfer_pace.h"

namespace pc::update {

TransferPace::TransferPace(std::int64_t minBytesPerSecond, long windowMs, Clock::time_point start)
    : min_bytes_per_second_(minBytesPerSecond), window_ms_(windowMs), window_start_(start) {}

bool TransferPace::TooSlow(Clock::time_point now) {
  if (too_slow_) return true;
  if (min_bytes_per_second_ <= 0 || window_ms_ <= 0) return false;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - window_start_).count();
  if (elapsed < window_ms_) return false;
  const std::int64_t needed = min_bytes_per_second_ * elapsed / 1000;
  if (total_ - window_start_bytes_ < needed) {
    too_slow_ = true;
    return true;
  }
  window_start_ = now;
  window_start_bytes_ = total_;
  return false;
}

std::string TransferPace::Explanation() const {
  return "te traag: minder dan " + std::to_string(min_bytes_per_second_) + " bytes per seconde gedurende " +
         std::to_string(window_ms_) + " ms";
}

}  // namespace pc::update
