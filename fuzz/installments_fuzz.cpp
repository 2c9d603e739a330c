// Drives an installment set with arbitrary edits, dates, amounts and texts
// and checks after every calculation that nothing breaks: end days stay
// sorted and unique, sub-periods cover every day once, all results are
// finite numbers, the row map stays within its capacity, and a copy never
// changes with its source.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "common/date_time.h"
#include "indextable/bd_config.h"
#include "indextable/month_key.h"
#include "installments/termijn_config.h"

namespace {

class TReader {
 public:
  TReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::int32_t Int16() { return static_cast<std::int16_t>(Byte() | (Byte() << 8)); }
  double Raw() {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(Byte()) << (8 * i);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  double Amount() { return (Byte() & 7) == 0 ? Raw() : (Int16() * 1000.0 + Int16()) / 100.0; }
  std::string Text() {
    const std::size_t n = Byte() % 32;
    std::string s;
    for (std::size_t i = 0; i < n && !Empty(); ++i) s.push_back(static_cast<char>(Byte()));
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckInvariants(const pc::TTermijnConfig& set) {
  Check(set.Count() >= 0 && set.Count() <= pc::kMaxInstallments);
  Check(set.RowCount() <= pc::kMaxInstallmentRows);
  for (int s = 2; s <= set.Count(); ++s) Check(set.EndDate(s - 1) < set.EndDate(s));
  for (int k = 0; k <= pc::kMaxComponents; ++k) {
    Check(std::isfinite(set.CorrectionTotal(k)));
    Check(std::isfinite(set.AmountTotal(k)));
  }
}

void CheckResults(const pc::TTermijnConfig& set) {
  for (int s = 1; s <= set.Count(); ++s) {
    const auto periods = set.SubPeriods(s);
    Check(!periods.empty());
    if (set.Days(s) == 0) {
      Check(periods.size() == 1);
      continue;
    }
    double next = set.BeginDate(s);
    std::uint32_t days = 0;
    for (const pc::TTermijnPeriod& p : periods) {
      Check(p.BeginDate == next && p.EndDate >= p.BeginDate);
      Check(std::isfinite(p.Amount) && std::isfinite(p.Result.Correction) &&
            std::isfinite(p.Result.Change) && std::isfinite(p.Result.ComponentAmount));
      days += p.Days;
      next = p.EndDate + 1;
    }
    Check(next == set.EndDate(s) + 1 && days == set.Days(s));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TReader in(data, size);
  pc::TBDConfig table(nullptr, 2008);
  table.SetPeriodStart(pc::MonthKeyOfYearMonth(2006, 1));
  table.SetPeriodEnd(pc::MonthKeyOfYearMonth(2010, 12));
  table.RebuildMonthList();
  for (int c = 0; c < 3; ++c) {
    pc::TComponentValues v;
    v.Name = "B" + std::to_string(c);
    v.Percentage = 20.0 * c;
    v.Variable = c == 0;
    v.StartRule = static_cast<std::uint8_t>(in.Byte() % 5);
    v.StartDate = pc::EncodeDate(2008, 1, 1) + in.Int16() % 1500;
    v.TrendKind = static_cast<std::uint8_t>(in.Byte() % 3);
    const int slot = table.AddComponent(v);
    for (int row = 1; row <= table.MonthCount(); row += 1 + in.Byte() % 4) {
      table.SetCellValue(slot, table.MonthAt(row), (in.Byte() % 8) == 0 ? 0 : 90 + in.Byte() / 10.0);
    }
  }
  // As the index-file loader does after setting raw figures.
  table.ResetRanges(false);
  table.RebuildMonthList();
  table.RebuildAllCarryForward();
  table.ComputeTrend(0);
  const double base = pc::EncodeDate(2008, 1, 1);
  pc::TTermijnConfig set(&table);
  set.SetProjectDates(base + in.Int16() % 800, base - 400, base + in.Int16() % 400);

  for (int steps = 0; steps < 200 && !in.Empty(); ++steps) {
    switch (in.Byte() % 10) {
      case 0: {
        pc::TComponentAmounts amounts{};
        amounts[1 + in.Byte() % 3] = in.Amount();
        set.InsertInstallment(in.Text(), amounts, 0, in.Amount(),
                              (in.Byte() & 15) == 0 ? in.Raw() : base + in.Int16() % 3000);
        break;
      }
      case 1:
        set.InsertInstallment("", {}, in.Byte(), in.Amount(), base + in.Int16());
        break;
      case 2: {
        pc::TComponentAmounts keep;
        keep.fill(HUGE_VAL);
        set.ChangeInstallment(in.Byte(), in.Text(), keep, (in.Byte() & 1) ? HUGE_VAL : in.Amount(),
                              (in.Byte() & 1) ? 0.0 : base + in.Int16() % 3000);
        break;
      }
      case 3:
        set.DeleteInstallment(in.Byte());
        break;
      case 4:
        if (in.Byte() & 1) {
          set.Expand(in.Byte());
        } else {
          set.Collapse(in.Byte());
        }
        break;
      case 5:
        set.SetProjectDates(base + in.Int16(), base + in.Int16(), (in.Byte() & 7) == 0 ? in.Raw() : base + in.Int16());
        break;
      case 6:
        set.SetSimplified(in.Byte() & 1);
        set.SetCurrentComponent(in.Byte() % 5);
        set.Calculate((in.Byte() & 3) == 0 ? in.Byte() % 5 : 0);
        CheckResults(set);
        break;
      case 7: {
        const std::string text = in.Text();
        const pc::TEndDateResult r = set.CheckEndDate(text, in.Byte() & 1, 2008);
        Check(static_cast<int>(r.Code) <= 3);
        break;
      }
      case 8: {
        pc::TTermijnConfig copy(set);
        const int count = set.Count();
        const double last = count > 0 ? set.EndDate(count) : 0;
        copy.InsertInstallment("kopie", {}, 0, 1, base + in.Int16());
        copy.DeleteInstallment(1);
        copy.Calculate(0);
        Check(set.Count() == count && (count == 0 || set.EndDate(count) == last));
        break;
      }
      default:
        set.DropComponentAmounts(in.Byte() % 52);
        break;
    }
    CheckInvariants(set);
  }
  return 0;
}
