#pragma once
// The blocks behind TTermijnConfig. Private to the installments library.
//
// Installments are kept 64 to a block; a block is shared by every copy of
// the set until one of them changes it (copy on write). Results of a
// calculation run live in separate blocks of the same size, so a run that
// leaves a block's results as they were keeps sharing it.

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "installments/termijn_config.h"

namespace pc::installments {

// One installment as entered. Trivially copyable so a block copies as one
// piece of memory.
struct TInstallmentRecord {
  std::uint8_t NameLength = 0;
  char Name[kMaxInstallmentNameLength] = {};
  bool Expanded = false;
  TDateTime EndDate = 0;
  double Amount = 0;
  TComponentAmounts ComponentAmounts{};  // keyed by component slot

  std::string NameText() const { return std::string(Name, NameLength); }
  void SetName(std::string_view text) {
    NameLength = static_cast<std::uint8_t>(
        text.size() < kMaxInstallmentNameLength ? text.size() : kMaxInstallmentNameLength);
    std::memset(Name, 0, sizeof Name);
    std::memcpy(Name, text.data(), NameLength);
  }
};

struct TInstallmentBlock {
  std::array<TInstallmentRecord, TTermijnConfig::kBlockSize> Items{};
};

// Derived values of the installments of one block after a calculation run.
struct TResultBlock {
  std::array<TDateTime, TTermijnConfig::kBlockSize> BeginDate{};
  std::array<std::uint32_t, TTermijnConfig::kBlockSize> Days{};
  // Sub-periods of item i are Periods[First[i] .. First[i + 1]).
  std::array<std::uint32_t, TTermijnConfig::kBlockSize + 1> First{};
  std::vector<TTermijnPeriod> Periods;

  void Clear() {
    BeginDate.fill(0);
    Days.fill(0);
    First.fill(0);
    Periods.clear();
  }
};

// Whether two result blocks hold the same values, bit for bit (so -0 and
// +0 differ, as they would on screen).
bool SameResults(const TResultBlock& a, const TResultBlock& b);

// The installment grid's row map, derived from the installments, their
// expanded flags and their sub-period counts.
struct TRowMap {
  std::vector<TRowRef> Rows;  // Rows[row - 1]
  std::array<std::uint16_t, kMaxInstallments + 1> GridRow{};  // index = slot
  std::array<bool, kMaxInstallments + 1> ShownExpanded{};     // index = slot
};

}  // namespace pc::installments
