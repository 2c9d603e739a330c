// The correction calculation of TTermijnConfig.
//
// A run first derives, once, what does not depend on the component: begin
// day, day count and per-day amount of every installment. Components that
// share a settlement start share one cut into sub-periods; each component
// then looks up its figures once per month touched and walks the
// sub-periods. Only the component computed last writes its results into
// the sub-period blocks: the others leave nothing there but their totals,
// which is exactly what a run that rebuilt the sub-periods for every
// component would leave.
//
// The arithmetic is evaluated in the documented order, in doubles, without
// rounding: change = I / B * 100 - 100; component amount = P / 100 * amount
// (variable: days * (component amount / installment days)); correction =
// change / 100 * component amount. Totals add every correction one by one
// in installment and sub-period order.

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "indextable/bd_config.h"
#include "installments/day_calendar.h"
#include "installments/sub_period_cut.h"
#include "installments/termijn_config.h"
#include "installments/termijn_storage.h"

namespace pc {

using installments::TResultBlock;

namespace {

constexpr int kB = TTermijnConfig::kBlockSize;
// The month axis of the index table as month ordinals (year * 12 + month - 1).
constexpr std::int32_t kFirstTableMonth = kFirstYear * 12;
constexpr std::int32_t kLastTableMonth = kLastYear * 12 + 11;

TMonthKey KeyOfOrdinal(std::int32_t ordinal) {
  return MakeMonthKey(ordinal / 12 - 1980, ordinal % 12 + 1);
}

// What a run knows of one installment before any component is looked at.
struct TInstallmentSpan {
  std::int32_t Begin = 0;
  std::int32_t End = 0;
  // Days of the installment; 0 when the end lies before the begin (the
  // start of the works was moved past the first installment's end). Such an
  // installment cannot be spread over days: it is kept as one sub-period
  // [begin, end] of 0 days that carries its whole amount.
  std::uint32_t Days = 0;
  double Amount = 0;
  double PerDay = 0;
  std::int32_t EndMonth = 0;
};

struct TPiece {
  std::int32_t Begin = 0;
  std::int32_t End = 0;
  std::uint32_t Days = 0;
  double Amount = 0;
  std::uint32_t MonthSlot = 0;  // index into the per-component change table
  bool BeforeSettlement = false;
};

// The sub-periods of every installment for one settlement start.
struct TCut {
  TSettlementStart Start;
  std::vector<TPiece> Pieces;
  std::vector<std::uint32_t> First;  // pieces of installment s: [First[s], First[s + 1])
  // For the sums alone, beside the pieces: each piece's amount, and the
  // month slot its correction is taken from, slot 0 (no change) for a piece
  // before the settlement date, whose correction is 0.
  std::vector<double> Amounts;
  std::vector<std::uint32_t> SumSlots;

  void Add(const TPiece& p) {
    Pieces.push_back(p);
    Amounts.push_back(p.Amount);
    SumSlots.push_back(p.BeforeSettlement ? 0 : p.MonthSlot);
  }
};

}  // namespace

// Everything one calculation run shares between its components.
struct installments::TCalcRun {
  std::vector<TInstallmentSpan> Spans;
  std::vector<TCut> Cuts;
  std::vector<installments::TDayRange> Scratch;
  // Change per month slot: slot 0 stands for months before the table (no
  // figure); slot i for month LowMonth + i - 1; months after the table use
  // the slot of its last month, whose figure walking back would find.
  std::vector<double> Change;
  std::vector<double> ChangeFraction;  // Change / 100
  std::int32_t LowMonth = 0;
  std::int32_t HighMonth = -1;

  std::uint32_t SlotOfMonth(std::int32_t ordinal) const {
    if (ordinal < kFirstTableMonth) return 0;
    return static_cast<std::uint32_t>(std::min(ordinal, kLastTableMonth) - LowMonth + 1);
  }
};

void TTermijnConfig::PrepareRun(installments::TCalcRun& run) const {
  run.Spans.resize(static_cast<std::size_t>(count_));
  std::int32_t begin = static_cast<std::int32_t>(startOfWorks_);
  std::int32_t low = std::numeric_limits<std::int32_t>::max();
  std::int32_t high = std::numeric_limits<std::int32_t>::min();
  installments::TMonthCursor month;
  for (int s = 1; s <= count_; ++s) {
    TInstallmentSpan& sp = run.Spans[static_cast<std::size_t>(s - 1)];
    const std::int32_t end = static_cast<std::int32_t>(EndDate(s));
    sp.Begin = begin;
    sp.End = end;
    const std::int64_t days = static_cast<std::int64_t>(end) - begin + 1;
    sp.Days = days > 0 ? static_cast<std::uint32_t>(days) : 0;
    sp.Amount = Amount(s);
    sp.PerDay = sp.Days > 0 ? sp.Amount / static_cast<double>(sp.Days) : 0.0;
    const std::int32_t beginMonth = month.OrdinalOf(begin);
    sp.EndMonth = month.OrdinalOf(end);
    low = std::min({low, beginMonth, sp.EndMonth});
    high = std::max({high, beginMonth, sp.EndMonth});
    begin = end + 1;
  }
  // Only months inside the table get a slot of their own.
  run.LowMonth = std::max(std::min(low, kLastTableMonth), kFirstTableMonth);
  run.HighMonth = std::min(high, kLastTableMonth);
  const std::int32_t months = count_ > 0 ? std::max(0, run.HighMonth - run.LowMonth + 1) : 0;
  run.Change.assign(static_cast<std::size_t>(months) + 1, 0.0);
}

TSettlementStart TTermijnConfig::StartRuleDate(int position) const {
  if (!indexTable_ || position < 1 || position > indexTable_->Count()) return {};
  const TBDRecord& c = indexTable_->GetComponent(position);
  return pc::StartRuleDate(c.StartRule, c.StartDate, tenderDate_, startOfWorks_);
}

namespace {

// The cut of a settlement start, made on first use and shared by every
// component of the run that has the same start.
const TCut& CutFor(installments::TCalcRun& run, bool simplified, const TSettlementStart& start) {
  for (const TCut& c : run.Cuts) {
    if (c.Start == start) return c;
  }
  TCut& cut = run.Cuts.emplace_back();
  cut.Start = start;
  cut.First.reserve(run.Spans.size() + 1);
  cut.Pieces.reserve(run.Spans.size() * 2);
  cut.Amounts.reserve(run.Spans.size() * 2);
  cut.SumSlots.reserve(run.Spans.size() * 2);
  const std::int32_t settlementDay = static_cast<std::int32_t>(start.Date);
  installments::TMonthCursor month;
  for (const TInstallmentSpan& sp : run.Spans) {
    cut.First.push_back(static_cast<std::uint32_t>(cut.Pieces.size()));
    if (sp.Days == 0) {
      TPiece p;
      p.Begin = sp.Begin;
      p.End = sp.End;
      p.Amount = sp.Amount;
      p.MonthSlot = run.SlotOfMonth(simplified ? sp.EndMonth : month.OrdinalOf(sp.Begin));
      p.BeforeSettlement = start.Restricted && sp.Begin < settlementDay;
      cut.Add(p);
      continue;
    }
    run.Scratch.clear();
    installments::CutInstallment(sp.Begin, sp.End, start.Restricted, settlementDay, run.Scratch);
    for (const installments::TDayRange& r : run.Scratch) {
      TPiece p;
      p.Begin = r.Begin;
      p.End = r.End;
      p.Days = static_cast<std::uint32_t>(r.End - r.Begin + 1);
      p.Amount = static_cast<double>(p.Days) * sp.PerDay;
      p.MonthSlot = run.SlotOfMonth(simplified ? sp.EndMonth : month.OrdinalOf(r.Begin));
      p.BeforeSettlement = start.Restricted && r.Begin < settlementDay;
      cut.Add(p);
    }
  }
  cut.First.push_back(static_cast<std::uint32_t>(cut.Pieces.size()));
  return cut;
}

}  // namespace

// Writes the results of one cut into the result blocks, block by block; a
// block whose results come out as they were keeps being shared.
namespace {

class TResultWriter {
 public:
  explicit TResultWriter(std::array<std::shared_ptr<TResultBlock>, TTermijnConfig::kBlockCount>& blocks)
      : blocks_(blocks) {}

  void BeginInstallment(int slot, std::int32_t begin, std::uint32_t days) {
    const int block = (slot - 1) / kB;
    if (block != block_) {
      Flush();
      block_ = block;
      fresh_.Clear();
    }
    const int item = (slot - 1) % kB;
    fresh_.BeginDate[item] = static_cast<TDateTime>(begin);
    fresh_.Days[item] = days;
    fresh_.First[item] = static_cast<std::uint32_t>(fresh_.Periods.size());
    item_ = item;
  }

  void Add(const TTermijnPeriod& period) { fresh_.Periods.push_back(period); }

  // Ends the last block and drops the blocks of slots no longer in use.
  void Finish(int count) {
    Flush();
    const int used = (count + kB - 1) / kB;
    for (int b = used; b < TTermijnConfig::kBlockCount; ++b) blocks_[b].reset();
  }

 private:
  void Flush() {
    if (block_ < 0) return;
    for (int i = item_ + 1; i <= kB; ++i) fresh_.First[i] = static_cast<std::uint32_t>(fresh_.Periods.size());
    std::shared_ptr<TResultBlock>& cur = blocks_[block_];
    if (cur && installments::SameResults(*cur, fresh_)) return;
    if (cur && cur.use_count() == 1) {
      std::swap(*cur, fresh_);
    } else {
      cur = std::make_shared<TResultBlock>(std::move(fresh_));
    }
    block_ = -1;
  }

  std::array<std::shared_ptr<TResultBlock>, TTermijnConfig::kBlockCount>& blocks_;
  TResultBlock fresh_;
  int block_ = -1;
  int item_ = -1;
};

}  // namespace

void TTermijnConfig::SplitFor(installments::TCalcRun& run, const TSettlementStart& start) {
  const TCut& cut = CutFor(run, simplified_, start);
  TResultWriter writer(results_);
  for (int s = 1; s <= count_; ++s) {
    const TInstallmentSpan& sp = run.Spans[static_cast<std::size_t>(s - 1)];
    writer.BeginInstallment(s, sp.Begin, sp.Days);
    for (std::uint32_t k = cut.First[s - 1]; k < cut.First[s]; ++k) {
      const TPiece& piece = cut.Pieces[k];
      TTermijnPeriod period;
      period.BeginDate = piece.Begin;
      period.EndDate = piece.End;
      period.Amount = piece.Amount;
      period.Days = piece.Days;
      writer.Add(period);
    }
  }
  writer.Finish(count_);
  computedComponent_ = 0;
  Invalidate();
}

namespace {

// Totals of a fixed-share component over every piece, in order. Kept out
// of line so the three sums stay in registers.
// Turns `count` figures into changes against `base` (not 0), and fills
// fraction with change / 100; a month without figure has change 0.
// `figures` may be `change` itself. Two months at a time where the
// processor has the instructions: the same IEEE operations in the same
// order, so the results are the same to the bit.
[[gnu::noinline]] void ChangesOfFigures(const double* figures, double* change, double* fraction,
                                        std::size_t count, double base) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const __m128d b = _mm_set1_pd(base);
  const __m128d hundred = _mm_set1_pd(100.0);
  const __m128d zero = _mm_setzero_pd();
  for (; i + 2 <= count; i += 2) {
    const __m128d figure = _mm_loadu_pd(figures + i);
    const __m128d moved = _mm_sub_pd(_mm_mul_pd(_mm_div_pd(figure, b), hundred), hundred);
    const __m128d c = _mm_and_pd(moved, _mm_cmpneq_pd(figure, zero));
    _mm_storeu_pd(change + i, c);
    _mm_storeu_pd(fraction + i, _mm_div_pd(c, hundred));
  }
#endif
  for (; i < count; ++i) {
    const double figure = figures[i];
    const double moved = figure / base * 100 - 100;
    const double c = figure != 0 ? moved : 0.0;
    change[i] = c;
    fraction[i] = c / 100;
  }
}

[[gnu::noinline]] void SumFixedShare(const TCut& cut, double share, const double* fractions, double& correctionP,
                                     double& correction0, double& amountP) {
  double cp = correctionP;
  double c0 = correction0;
  double ap = amountP;
  const double* amounts = cut.Amounts.data();
  const std::uint32_t* slots = cut.SumSlots.data();
  const std::size_t n = cut.Amounts.size();
  for (std::size_t k = 0; k < n; ++k) {
    const double componentAmount = share * amounts[k];
    // Before the settlement date: fraction 0, a correction of (signed) 0,
    // which leaves every sum as it was.
    const double correction = fractions[slots[k]] * componentAmount;
    cp += correction;
    c0 += correction;
    ap += componentAmount;
  }
  correctionP = cp;
  correction0 = c0;
  amountP = ap;
}

}  // namespace

void TTermijnConfig::ComputeOne(installments::TCalcRun& run, int position, std::uint16_t referenceMonth,
                                bool keepResults) {
  const TBDRecord& c = indexTable_->GetComponent(position);
  const int componentSlot = indexTable_->SlotAt(position);
  const TSettlementStart start =
      pc::StartRuleDate(c.StartRule, c.StartDate, tenderDate_, startOfWorks_);
  const TCut& cut = CutFor(run, simplified_, start);
  const double base = IsValidMonthKey(referenceMonth) ? indexTable_->GetIndex(referenceMonth, position).Figure : 0.0;

  // A month's change depends only on its figure and the base figure; it is
  // looked up once per month before the sub-periods are walked. Change / 100
  // is kept beside it: the same division the correction makes.
  const std::size_t months = run.Change.size();
  run.ChangeFraction.resize(months);
  double* change = run.Change.data();
  double* fraction = run.ChangeFraction.data();
  change[0] = 0.0;
  fraction[0] = 0.0;
  if (base == 0) {
    std::fill(change, change + months, 0.0);
    std::fill(fraction, fraction + months, 0.0);
  } else if (months > 1) {
    // The months LowMonth..HighMonth lie inside the table, one after the
    // other: their figures are read straight from the look-up results.
    const double* figures = indexTable_->ResolvedFigures(position);
    if (figures != nullptr) {
      figures += run.LowMonth - kFirstTableMonth;
    } else {
      for (std::size_t slot = 1; slot < months; ++slot) {
        const TMonthKey key = KeyOfOrdinal(run.LowMonth + static_cast<std::int32_t>(slot) - 1);
        change[slot] = indexTable_->GetIndex(key, position).Figure;
      }
      figures = change + 1;
    }
    ChangesOfFigures(figures, change + 1, fraction + 1, months - 1, base);
  }
  const double* changes = run.Change.data();
  const double* fractions = run.ChangeFraction.data();

  const bool variable = c.Variable;
  const double share = c.Percentage / 100;
  const bool hasSlot = componentSlot >= 1 && componentSlot <= kMaxComponents;
  double correctionP = correctionTotal_[position];
  double correction0 = correctionTotal_[0];
  double amountP = amountTotal_[position];

  if (!keepResults && !variable) {
    SumFixedShare(cut, share, fractions, correctionP, correction0, amountP);
  } else {
    TResultWriter writer(results_);
    for (int s = 1; s <= count_; ++s) {
      const TInstallmentSpan& sp = run.Spans[static_cast<std::size_t>(s - 1)];
      double own = 0;  // the installment's amount of a variable component
      double ownPerDay = 0;
      if (variable && hasSlot) {
        own = ComponentAmount(s, componentSlot);
        ownPerDay = sp.Days > 0 ? own / static_cast<double>(sp.Days) : 0.0;
      }
      if (keepResults) writer.BeginInstallment(s, sp.Begin, sp.Days);
      for (std::uint32_t k = cut.First[s - 1]; k < cut.First[s]; ++k) {
        const TPiece& piece = cut.Pieces[k];
        double componentAmount;
        if (variable) {
          componentAmount = sp.Days > 0 ? static_cast<double>(piece.Days) * ownPerDay : own;
        } else {
          componentAmount = share * piece.Amount;
        }
        const double correction = piece.BeforeSettlement ? 0.0 : fractions[piece.MonthSlot] * componentAmount;
        correctionP += correction;
        correction0 += correction;
        amountP += componentAmount;
        if (keepResults) {
          TTermijnPeriod period;
          period.BeginDate = piece.Begin;
          period.EndDate = piece.End;
          period.Amount = piece.Amount;
          period.Days = piece.Days;
          period.Component = static_cast<std::uint8_t>(position);
          period.Result = {componentAmount, changes[piece.MonthSlot], correction};
          writer.Add(period);
        }
      }
    }
    if (keepResults) writer.Finish(count_);
  }
  correctionTotal_[position] = correctionP;
  correctionTotal_[0] = correction0;
  amountTotal_[position] = amountP;
  if (keepResults) {
    computedComponent_ = position;
    Invalidate();
  }
}

namespace {

// The month key whose figure is the base figure of a price reference date:
// a date after the table takes its last month, a date before it has none.
TMonthKey ReferenceMonthOf(TDateTime priceReferenceDate) {
  const std::int32_t ordinal =
      installments::MonthOrdinalOfDay(static_cast<std::int32_t>(priceReferenceDate));
  if (ordinal < kFirstTableMonth) return 0;
  return KeyOfOrdinal(std::min(ordinal, kLastTableMonth));
}

}  // namespace

void TTermijnConfig::Calculate(int position) {
  correctionTotal_.fill(0);
  amountTotal_.fill(0);
  const int components = indexTable_ ? std::min(indexTable_->Count(), kMaxComponents) : 0;
  const TMonthKey reference = ReferenceMonthOf(priceReferenceDate_);
  installments::TCalcRun run;
  PrepareRun(run);

  if (position != 0) {
    if (position >= 1 && position <= components) {
      ComputeOne(run, position, reference, true);
    } else {
      SplitFor(run, {});
    }
    return;
  }

  for (int s = 1; s <= count_; ++s) amountTotal_[0] += Amount(s);
  if (components == 0) {
    SplitFor(run, {});
    return;
  }
  const int current = currentComponent_ >= 1 && currentComponent_ <= components ? currentComponent_ : 0;
  const int last = current != 0 ? current : components;
  for (int p = 1; p <= components; ++p) {
    if (p == current) continue;
    // A component that does not take part adds only zeros to the totals;
    // the one computed last still fills the sub-periods.
    if (p != last && !TakesPart(indexTable_->GetComponent(p))) continue;
    ComputeOne(run, p, reference, p == last);
  }
  if (current != 0) ComputeOne(run, current, reference, true);
}

void TTermijnConfig::CalculateComponent(int position, std::uint16_t referenceMonth) {
  installments::TCalcRun run;
  PrepareRun(run);
  const int components = indexTable_ ? std::min(indexTable_->Count(), kMaxComponents) : 0;
  if (position >= 1 && position <= components) {
    ComputeOne(run, position, referenceMonth, true);
  } else {
    SplitFor(run, {});
  }
}

void TTermijnConfig::SplitInstallments(int position) {
  installments::TCalcRun run;
  PrepareRun(run);
  SplitFor(run, StartRuleDate(position == 0 ? currentComponent_ : position));
}

}  // namespace pc
