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
  // What GetIndex gives for every month; valid while ResolvedValid.
  TResolvedMonths Resolved;
  bool ResolvedValid = true;

  // The figure month i stands for: its own, else the carried one; 0 = none.
  double OwnOrCarried(int i) const {
    const auto u = static_cast<std::size_t>(i);
    if (Value[u] != 0) return Value[u];
    const int from = MonthIndexOf(CarriedFrom[u]);
    return from >= 0 ? Value[static_cast<std::size_t>(from)] : 0;
  }
  // The look-up of month i from the cells alone.
  TIndexLookup LookUp(int i, double walkedBack) const {
    const auto u = static_cast<std::size_t>(i);
    if (Value[u] != 0) return {Value[u], IsTrend[u] != 0 ? TIndexResult::Trend : TIndexResult::Own};
    const int from = MonthIndexOf(CarriedFrom[u]);
    if (from >= 0 && Value[static_cast<std::size_t>(from)] != 0) {
      return {Value[static_cast<std::size_t>(from)], TIndexResult::CarriedForward};
    }
    return {walkedBack, TIndexResult::WalkedBack};
  }
  void RebuildResolved() {
    double back = 0;  // what walking back from month i finds
    for (int i = 0; i < kMonthCount; ++i) {
      const TIndexLookup l = LookUp(i, back);
      Resolved.Figure[static_cast<std::size_t>(i)] = l.Figure;
      Resolved.Code[static_cast<std::size_t>(i)] = l.Code;
      const double r = OwnOrCarried(i);
      if (r != 0) back = r;
    }
    ResolvedValid = true;
  }
  double WalkBack(int i) const {
    for (int j = i - 1; j >= 0; --j) {
      const double r = OwnOrCarried(j);
      if (r != 0) return r;
    }
    return 0;
  }
};

}  // namespace pc
