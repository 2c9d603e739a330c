// Internal to the index table: one component's figure series over the whole
// month axis, shared between copies of a table until one of them changes it.
#pragma once

#include <array>
#include <cstdint>

#include "indextable/bd_config.h"

namespace pc {

struct TBDConfig::Series {
  std::array<double, kMonthCount> Value{};
  std::array<TMonthKey, kMonthCount> CarriedFrom{};
  std::array<std::uint8_t, kMonthCount> IsTrend{};
  // Back[i]: what walking back from month i (exclusive) finds; valid while
  // BackValid. Kept so that a look-up never walks.
  std::array<double, kMonthCount + 1> Back{};
  bool BackValid = true;

  // The figure month i stands for: its own, else the carried one; 0 = none.
  double Resolved(int i) const {
    if (Value[static_cast<std::size_t>(i)] != 0) return Value[static_cast<std::size_t>(i)];
    const int from = MonthIndexOf(CarriedFrom[static_cast<std::size_t>(i)]);
    return from >= 0 ? Value[static_cast<std::size_t>(from)] : 0;
  }
  void RebuildBack() {
    Back[0] = 0;
    for (int i = 0; i < kMonthCount; ++i) {
      const double r = Resolved(i);
      Back[static_cast<std::size_t>(i) + 1] = r != 0 ? r : Back[static_cast<std::size_t>(i)];
    }
    BackValid = true;
  }
  double WalkBack(int i) const {
    if (BackValid) return Back[static_cast<std::size_t>(i)];
    for (int j = i - 1; j >= 0; --j) {
      const double r = Resolved(j);
      if (r != 0) return r;
    }
    return 0;
  }
};

}  // namespace pc
