#pragma once
// The installments ("termijnen") of a project and their price-change
// corrections.
//
// TTermijnConfig keeps up to 999 dated installment amounts sorted by end
// day, the project dates and the calculation method, the per-component
// amounts of variable components, and everything a calculation run derives
// from them: begin dates, day counts, the sub-periods of every installment
// with the results of one component, and the correction and amount totals
// of every component.
//
// Copies are cheap: installments and results live in blocks of 64 shared
// between copies and copied only when one copy changes them. A copy still
// behaves as a whole, independent set (the undo history keeps many).
//
// Nothing here throws or fails by exception; refused operations return
// false and change nothing. The set refers to an index table it does not
// own; with no index table every component operation sees no components.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "common/date_time.h"
#include "common/messages.h"
#include "indextable/bd_record.h"
#include "installments/settlement_start.h"

namespace pc {

class TBDConfig;

inline constexpr int kMaxInstallments = 999;
inline constexpr int kMaxInstallmentRows = 5000;
inline constexpr std::size_t kMaxInstallmentNameLength = 25;

// Per-component amounts of one installment, indexed 1..50; entry 0 is
// unused and ignored. Depending on the call the index is the component's
// slot (its identity) or its display position; each call says which.
using TComponentAmounts = std::array<double, kMaxComponents + 1>;

// Result codes of CheckEndDate.
enum class TEndDateCheck : std::uint8_t {
  Valid = 0,               // a date on or after the start of the works, not in use
  NoDate = 1,              // the text is no date
  BeforeStartOfWorks = 2,  // the date lies before the start of the works
  EndDateTaken = 3         // an installment already ends on that day
};

struct TEndDateResult {
  TDateTime Date = 0;
  TEndDateCheck Code = TEndDateCheck::NoDate;
};

// The calculation method of a project, as stored in project files.
enum class TCalcMethod : std::uint8_t {
  Official = 0,   // every calendar month valued at its own index
  Simplified = 1  // the whole installment valued at the index of its end month
};

// One component's figures for one sub-period.
struct TResultTriple {
  double ComponentAmount = 0;  // the component's part of the sub-period amount
  double Change = 0;           // index change since the price reference month, percent
  double Correction = 0;       // the correction amount ("Te verrekenen")
};

// A sub-period of an installment: a run of whole days within one calendar
// month (or, for a restricted component, before its settlement date).
struct TTermijnPeriod {
  TDateTime BeginDate = 0;
  TDateTime EndDate = 0;
  double Amount = 0;        // the installment amount falling in these days
  std::uint32_t Days = 0;   // end - begin + 1
  // Position of the component whose results `Result` holds; 0 for none.
  std::uint8_t Component = 0;
  TResultTriple Result;

  // The result triple at index 0..50: the held component's triple at its
  // position, at index 0 the sums since the sub-period was built (the held
  // component's amount and correction, change 0), zeros elsewhere.
  TResultTriple Triple(int index) const;
};

// What a grid row shows: an installment (SubPeriod 0) or its k-th sub-period.
struct TRowRef {
  std::uint16_t Slot = 0;
  std::uint16_t SubPeriod = 0;
};

// The installment being typed on the grid's last row.
struct TNewEntry {
  std::string Name;
  TDateTime EndDate = 0;
  double Amount = 0;
  double ComponentAmount = 0;
  std::uint8_t ComponentPosition = 0;  // component that ComponentAmount belongs to
};

// An installment as given to or read from the set.
struct TInstallmentData {
  std::string Name;
  TDateTime EndDate = 0;
  double Amount = 0;
  TComponentAmounts ComponentAmounts{};
};

namespace installments {
struct TInstallmentBlock;
struct TResultBlock;
struct TRowMap;
struct TCalcRun;
}  // namespace installments

class TTermijnConfig {
 public:
  static constexpr int kBlockSize = 64;
  static constexpr int kBlockCount = (kMaxInstallments + kBlockSize - 1) / kBlockSize;

  explicit TTermijnConfig(const TBDConfig* indexTable = nullptr);
  ~TTermijnConfig();
  // Copies share unchanged blocks; each copy changes only its own.
  TTermijnConfig(const TTermijnConfig& other);
  TTermijnConfig& operator=(const TTermijnConfig& other);
  TTermijnConfig(TTermijnConfig&&) noexcept;
  TTermijnConfig& operator=(TTermijnConfig&&) noexcept;

  // Makes this set a copy of `other`: installments, results, totals, dates,
  // method, current component, new entry, row map and index table.
  void CopyFrom(const TTermijnConfig& other);
  // How many of this set's installment and result blocks are the very
  // blocks of `other`, i.e. what a copy still shares with its source.
  int SharedBlocks(const TTermijnConfig& other) const;

  // ---- Set-up -------------------------------------------------------------
  // Stores the three project dates as whole days (time of day removed); a
  // date that is not finite or lies outside the years 1..9999 becomes 0.
  void SetProjectDates(TDateTime priceReferenceDate, TDateTime tenderDate,
                       TDateTime startOfWorks);
  void SetIndexTable(const TBDConfig* indexTable);
  // Position of the component shown on the installment page; 0 for none.
  // A position that names no component is treated as none by Calculate.
  void SetCurrentComponent(int position);
  // 0 official, 1 simplified; any other number counts as official.
  void SetSimplified(int method);

  TDateTime PriceReferenceDate() const { return priceReferenceDate_; }
  TDateTime TenderDate() const { return tenderDate_; }
  TDateTime StartOfWorks() const { return startOfWorks_; }
  const TBDConfig* IndexTable() const { return indexTable_; }
  int CurrentComponent() const { return currentComponent_; }
  bool Simplified() const { return simplified_; }
  TCalcMethod Method() const { return simplified_ ? TCalcMethod::Simplified : TCalcMethod::Official; }

  // ---- Installments (slots 1..Count, ascending end day) -------------------
  int Count() const { return count_; }

  // Inserts an installment, or with `row` != 0 moves the installment shown
  // at that grid row to a new end date (keeping its expanded state).
  // `componentAmounts` are keyed by component slot. Refused, changing
  // nothing, when: the set is full and `row` is 0; `row` shows no
  // installment; the end date or the amounts are not finite numbers, or the
  // end date lies outside the years 1..9999; the end day lies before the
  // start of the works; another installment ends on that day. The end date
  // is stored as its whole day and the name cut to 25 characters. On
  // success the new slot becomes CurrentSlot.
  bool InsertInstallment(std::string_view name, const TComponentAmounts& componentAmounts,
                         int row, double amount, TDateTime endDate);

  // Changes the installment at `row`. An empty name, an amount or a
  // component amount of +infinity and an end date of 0 leave that value as
  // it is. An end date on another day moves the installment (see
  // InsertInstallment; values left as they are travel along) and returns its
  // result; otherwise the given values are stored and true is returned.
  // False when `row` shows no installment or a given value is not a finite
  // number.
  bool ChangeInstallment(int row, std::string_view name, const TComponentAmounts& componentAmounts,
                         double amount, TDateTime endDate);

  // Removes the installment shown at `row`; false when the row shows none.
  bool DeleteInstallment(int row);
  // Removes the installment in `slot`; false when the slot is not in use.
  bool DeleteInstallmentSlot(int slot);

  // The installment shown at `row` and its slot; false when there is none.
  // Component amounts are keyed by component slot.
  bool GetInstallmentAtRow(int row, int& slot, TInstallmentData& data) const;
  // The installment in `slot`; false when the slot is not in use. With
  // `displayOrder` the component amounts are those of the components at
  // positions 1..n of the index table followed by zeros, else keyed by slot.
  bool GetInstallment(int slot, bool displayOrder, TInstallmentData& data) const;

  // Stored values of a slot in use (empty/0 for any other slot).
  std::string Name(int slot) const;
  TDateTime EndDate(int slot) const;
  double Amount(int slot) const;
  bool Expanded(int slot) const;
  // The amount of the variable component in `componentSlot` (1..50).
  double ComponentAmount(int slot, int componentSlot) const;

  // Clears the amounts of the deleted component in `componentSlot` from
  // every installment; other components keep theirs.
  void DropComponentAmounts(int componentSlot);
  // Whether an installment ends on the day of `date`.
  bool HasEndDate(TDateTime date) const;
  // Removes every installment and the new entry; dates, method, index table
  // and current component stay.
  void Clear();

  // ---- Grid rows ------------------------------------------------------------
  // Rows are numbered from 1: each installment in slot order, followed, when
  // expanded, by its sub-periods. The map is derived and kept up to date by
  // itself; BuildRowMap is there for callers that want to say so. The map
  // never exceeds 5000 rows: an expanded installment whose sub-periods do
  // not fit is shown collapsed.
  void BuildRowMap() const;
  int RowCount() const;
  // What `row` shows; {0, 0} for a row outside 1..RowCount.
  TRowRef RowAt(int row) const;
  // The row of an installment slot; 0 when the slot is not in use.
  int GridRow(int slot) const;
  // Slot of the installment inserted last, 0 when none; and its row.
  int CurrentSlot() const { return currentSlot_; }
  int CurrentRow() const;

  // Whether the installment shown at `row` shows its sub-periods.
  bool IsExpanded(int row) const;
  // Shows the sub-periods of the installment at `row`; false, changing
  // nothing, when the row shows no installment or the rows would not fit.
  bool Expand(int row);
  bool Collapse(int row);
  void CollapseAll();

  // ---- The new installment on the grid's last row ---------------------------
  const TNewEntry& NewEntry() const { return newEntry_; }
  // Each returns whether the entry is complete: a name and an end date.
  bool SetNewName(std::string_view name);
  bool SetNewEndDate(TDateTime endDate);
  bool SetNewAmount(double amount);
  bool SetNewComponentAmount(int position, double amount);
  bool NewEntryComplete() const;
  void ClearNewEntry();
  // A component amount is allowed when it does not exceed the entry's
  // amount; an installment amount when it is at least the entry's component
  // amount. A refusal is shown through the message UI.
  bool NewAmountAllowed(double value, bool isComponentAmount) const;
  // Inserts the complete entry as a new installment (only the entry's
  // component gets its amount) and clears the entry; on failure the entry
  // stays and false is returned.
  bool CommitNewEntry();

  // ---- Entry checks ---------------------------------------------------------
  // Where the entry checks show their messages; not owned, may be null.
  void SetMessageUi(TMessageUi* ui) { messageUi_ = ui; }
  // Reads `text` as an end date and checks it: code 1 when it is no date,
  // 2 when before the start of the works, 3 when an installment ends that
  // day, else 0. With `showMessages` the message UI shows the matching message and
  // codes 2 and 3 give date 0; without, the date read is returned.
  TEndDateResult CheckEndDate(std::string_view text, bool showMessages) const;
  TEndDateResult CheckEndDate(std::string_view text, bool showMessages, int currentYear) const;

  // ---- Calculation ----------------------------------------------------------
  // With `position` 0: resets the totals, sums all installment amounts into
  // AmountTotal(0) and computes every component, the current one last, so
  // the sub-periods hold the current component's results. With a position:
  // only that component (AmountTotal(0) stays 0). Begin dates and day
  // counts are always derived, also when no component is computed.
  void Calculate(int position = 0);
  // Computes one component into the sub-periods and adds its figures to
  // the totals; `referenceMonth` is the month key of the base index.
  void CalculateComponent(int position, std::uint16_t referenceMonth);
  // Derives begin dates and day counts and rebuilds every installment's
  // sub-periods for the start rule of the component at `position`
  // (0 = the current component); all results are 0 afterwards.
  void SplitInstallments(int position = 0);
  // The settlement start of the component at `position` with this set's
  // project dates; unrestricted for a position that names no component.
  TSettlementStart StartRuleDate(int position) const;

  // Derived per installment, valid after the last calculation run.
  TDateTime BeginDate(int slot) const;
  std::uint32_t Days(int slot) const;
  std::span<const TTermijnPeriod> SubPeriods(int slot) const;
  // Sums over all sub-periods of the installment.
  double InstallmentComponentAmount(int slot) const;
  double InstallmentCorrection(int slot) const;
  // Position of the component whose results the sub-periods hold; 0 none.
  int ComputedComponent() const { return computedComponent_; }

  // Index 0: all computed components together (AmountTotal(0): the sum of
  // all installment amounts); 1..50: the component at that position.
  double CorrectionTotal(int index) const;
  double AmountTotal(int index) const;

 private:
  void PrepareRun(installments::TCalcRun& run) const;
  void ComputeOne(installments::TCalcRun& run, int position, std::uint16_t referenceMonth,
                  bool keepResults);
  void SplitFor(installments::TCalcRun& run, const TSettlementStart& start);
  const installments::TInstallmentBlock* BlockOf(int slot) const;
  installments::TInstallmentBlock& MutableBlock(int block);
  installments::TResultBlock& MutableResults(int block);
  int RowToSlot(int row) const;
  void MoveSlot(int from, int to);
  void RemoveSlot(int slot);
  void ResetResultsFrom(int slot);
  void Invalidate() { rowMap_.reset(); }
  void EnsureRowMap() const;
  void ShowMessage(const std::string& text) const;

  const TBDConfig* indexTable_ = nullptr;
  int count_ = 0;
  std::array<std::shared_ptr<installments::TInstallmentBlock>, kBlockCount> blocks_{};
  std::array<std::shared_ptr<installments::TResultBlock>, kBlockCount> results_{};
  mutable std::shared_ptr<const installments::TRowMap> rowMap_;

  TDateTime priceReferenceDate_ = 0;
  TDateTime tenderDate_ = 0;
  TDateTime startOfWorks_ = 0;
  int currentComponent_ = 0;
  bool simplified_ = false;
  int currentSlot_ = 0;
  int computedComponent_ = 0;
  TNewEntry newEntry_;
  std::array<double, kMaxComponents + 1> correctionTotal_{};
  std::array<double, kMaxComponents + 1> amountTotal_{};
  TMessageUi* messageUi_ = nullptr;
};

// The Dutch messages of the entry checks.
inline constexpr std::string_view kMsgNoValidDate = "Fout: Dit is geen geldige datum!";
inline constexpr std::string_view kMsgBeforeStartOfWorks =
    "Fout: Datum dient op of na de uitvoer-startdatum te liggen!";
inline constexpr std::string_view kMsgEndDateTaken = "Fout: Er is reeds een termijn met deze einddatum!";
inline constexpr std::string_view kMsgComponentSumTooHigh =
    "De som van de bestanddelen in deze termijn is hoger dan het termijnbedrag.";

}  // namespace pc
