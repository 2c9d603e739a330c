// Feeds arbitrary clipboard text to the installment paste reader and the
// installment amount reader, and adds what was read to a set that already
// holds installments. Checks: no candidate beyond the limit, every
// candidate's texts within their bounds, every amount finite and within the
// editors' range, an accepted candidate's date on or after the start of the
// works, and adding is all or nothing with sorted, unique end days.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "common/date_time.h"
#include "indextable/bd_config.h"
#include "installments/amount_reading.h"
#include "installments/termijn_paste.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool InRange(double value) {
  return std::isfinite(value) && value >= -pc::kMaxInstallmentAmount && value <= pc::kMaxInstallmentAmount;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const auto amount = pc::TryReadInstallmentAmount(text)) Check(InRange(*amount));

  pc::TBDConfig table(nullptr, 2008);
  pc::TComponentValues variable;
  variable.Name = "Materiaal";
  variable.Variable = true;
  const int slot = table.AddComponent(variable);
  pc::TTermijnConfig set(&table);
  set.SetProjectDates(pc::EncodeDate(2008, 1, 15), pc::EncodeDate(2008, 1, 15), pc::EncodeDate(2008, 2, 1));
  set.SetCurrentComponent(1);
  set.InsertInstallment("Termijn 1", {}, 0, 10000, pc::EncodeDate(2008, 3, 15));
  const bool componentVariable = size > 0 && (data[0] & 1);

  const pc::TPasteRead read = pc::ReadPastedInstallments(set, text, componentVariable, 2008);
  Check(read.Candidates.size() <= static_cast<std::size_t>(pc::kMaxPastedInstallments));
  Check(read.RowsBeyondLimit >= 0);
  for (const pc::TPastedTermijn& c : read.Candidates) {
    Check(c.Name.size() <= pc::kMaxInstallmentNameLength);
    Check(c.DateText.size() <= 9);
    Check(InRange(c.Amount) && InRange(c.ComponentAmount));
    Check(componentVariable || c.ComponentAmount == 0);
    if (c.Status == pc::TPasteStatus::Accepted) Check(c.EndDate >= set.StartOfWorks() && !c.Name.empty());
  }

  const int before = set.Count();
  const int added = pc::AddPastedInstallments(set, read.Candidates, componentVariable ? slot : 0);
  Check(added == pc::AcceptedCount(read.Candidates));
  Check(set.Count() == before + added);
  for (int s = 2; s <= set.Count(); ++s) Check(std::floor(set.EndDate(s - 1)) < std::floor(set.EndDate(s)));
  return 0;
}
