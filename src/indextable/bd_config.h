// The index table: up to 50 components ("bestanddelen") and, for every
// component, a monthly series of index figures for 1981..2100 with the
// carried-forward and trend figures derived from it.
//
// Identity and order. A component is identified by its slot 1..50, which
// stays fixed while the component exists and is reused after deletion; it is
// shown at a display position 1..Count(). Operations taking a position use
// positions; those taking a slot say so. Slot or position 0, or beyond 50,
// selects nothing: the operation does nothing and look-ups give empty
// results.
//
// Copies. A copy (copy constructor, assignment or CopyFrom) is a whole,
// independent table: changing one never changes another. Copies are cheap:
// each component's figure series is a shared block that is copied only when
// one of the sharing tables changes it. A table and its copies may be read
// from different threads while one of them is changed; a single table is not
// safe for concurrent changes.
//
// Figures are doubles with two decimals in 0..99999.99; 0 means no figure.
// Months are month keys (indextable/month_key.h); the period is the run of
// months shown in the grid, numbered 1..MonthCount() (the grid rows).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "indextable/bd_record.h"
#include "indextable/month_key.h"

namespace pc {

inline constexpr double kMaxFigure = 99999.99;

// What a look-up found. The numbers are stored nowhere but are used by the
// grid, the reports and the index-file writer.
enum class TIndexResult : std::uint8_t {
  Own = 0,             // the month's own figure
  CarriedForward = 1,  // the figure carried forward from an earlier month
  WalkedBack = 2,      // found by walking back, or 0 when nothing was found
  Trend = 3,           // a trend figure
};
struct TIndexLookup {
  double Figure = 0;
  TIndexResult Code = TIndexResult::WalkedBack;
};

// The look-up result of every month of one component, kept with its figure
// series so that GetIndex is one read.
struct TResolvedMonths {
  std::array<double, kMonthCount> Figure{};
  std::array<TIndexResult, kMonthCount> Code{};
};

// One month of one component.
struct TIndexCell {
  double Value = 0;           // 0 = no figure
  bool IsTrend = false;       // produced by the trend extension
  TMonthKey CarriedFrom = 0;  // month whose figure this month carries; 0 = none
};

// What the table kind lets the user change (set by the index-file loader).
namespace table_kind {
inline constexpr std::uint8_t kEditable = 0;
inline constexpr std::uint8_t kWriteProtected = 1;  // "Schrijfbeveiligd"
inline constexpr std::uint8_t kDownloaded = 2;      // figures fixed, properties editable
}  // namespace table_kind

// The grid that paints the table (implemented by the window). Not owned.
class TIndexGridPainter {
 public:
  virtual ~TIndexGridPainter() = default;
  // Repaints the figure column of the component at `position`.
  virtual void RefreshColumn(int position) = 0;
};

class TBDConfig {
 public:
  // Empty table bound to `grid` (may be null); period January of
  // currentYear - 2 to December of currentYear + 1, clamped to 1981..2100.
  // Without a year the system clock gives it.
  explicit TBDConfig(TIndexGridPainter* grid = nullptr);
  TBDConfig(TIndexGridPainter* grid, int currentYear);
  TBDConfig(const TBDConfig&);
  TBDConfig& operator=(const TBDConfig&);
  TBDConfig(TBDConfig&&) noexcept;
  TBDConfig& operator=(TBDConfig&&) noexcept;
  ~TBDConfig();

  // ---- whole table ------------------------------------------------------
  // Removes every component with its figures; the period stays.
  void Clear();
  // Empties every cell of every slot; the components stay.
  void ClearFigures();
  // Makes this table an independent copy of `other` (components, figures,
  // period, grid reference, highlight month, table kind).
  void CopyFrom(const TBDConfig& other);

  int Count() const { return count_; }
  std::uint8_t TableKind() const { return tableKind_; }
  void SetTableKind(std::uint8_t kind) { tableKind_ = kind; }
  TMonthKey HighlightMonth() const { return highlightMonth_; }
  void SetHighlightMonth(TMonthKey key) { highlightMonth_ = key; }
  TIndexGridPainter* Grid() const { return grid_; }
  void SetGrid(TIndexGridPainter* grid) { grid_ = grid; }

  // ---- components -------------------------------------------------------
  // Lowest free slot, or 0 when the table holds 50 components.
  int FreeSlot() const;
  // Count() + 1, or 0 when the table is full.
  int NextPosition() const;
  // Adds a component (name cut to 25 characters, start date cut to the whole
  // day) at `slot` and `position` (0 = FreeSlot / NextPosition) and returns
  // the slot. Returns 0 and changes nothing when the table is full, or when
  // the given slot is in use or outside 1..50, or the given position is taken
  // or outside 1..50. The slot starts without figures; its trend is
  // computed. Name uniqueness is the caller's duty (ComponentExists).
  int AddComponent(const TComponentValues& values, int slot = 0, int position = 0);
  // Changes the component at `position` (or, with position 0, at `slot`).
  // Nothing happens for an unused slot or an empty name, or when all seven
  // values (the name compared with case) equal the stored ones. Otherwise the
  // trend figures are recomputed with the new values; figures stay. Returns
  // whether anything changed.
  bool ChangeComponent(int position, const TComponentValues& values, int slot = 0);
  // Deletes the component at `position` (or, with position 0, at `slot`)
  // with all its figures; the components behind it move one position down
  // and the slot becomes free. Returns whether a component was deleted.
  bool DeleteComponent(int position, int slot = 0);
  // Exchanges the components at positions a and b (both 1..Count()).
  void SwapPositions(int a, int b);
  // Moves the component at `from` to `to` as a run of neighbour swaps.
  void MoveComponent(int from, int to);
  // Closes gaps in the positions (after a load that placed components at
  // scattered positions): keeps the order, renumbers 1..Count().
  void CompactPositions();

  // The slot at a position; 0 for an empty or invalid position.
  int SlotAt(int position) const;
  // The position of a slot; 0 for a free or invalid slot.
  int PositionOf(int slot) const;
  // The record of the component at a position / in a slot; an empty record
  // (position 0, empty name) for an empty or invalid one.
  const TBDRecord& GetComponent(int position) const;
  const TBDRecord& RecordOfSlot(int slot) const;
  std::string GetComponentName(int position) const;
  // The slot whose name equals `name` without regard to letter case (a..z);
  // 0 for an empty name or no match. Slots are searched from 1 to 50.
  int FindComponent(const std::string& name) const;
  bool ComponentExists(const std::string& name) const { return FindComponent(name) != 0; }
  // ComponentCaption of the component at a position; empty when none.
  std::string ComponentCaptionAt(int position) const;

  // ---- period -----------------------------------------------------------
  TMonthKey PeriodStart() const { return periodStart_; }
  TMonthKey PeriodEnd() const { return periodEnd_; }
  // Store a new bound; nothing else happens. An invalid key is ignored.
  void SetPeriodStart(TMonthKey key);
  void SetPeriodEnd(TMonthKey key);
  // Erases the figures of every component outside PeriodStart..PeriodEnd
  // (their trend marks stay), and renumbers the months of the period. When
  // the end lies before the start nothing is erased and the period has no
  // months.
  void RebuildMonthList();
  // Number of months in the period (the grid rows).
  int MonthCount() const { return monthCount_; }
  // The month at period row 1..MonthCount(); 0 outside.
  TMonthKey MonthAt(int row) const;
  // The period row of a month; 0 when the month lies outside the period.
  int RowOfMonth(TMonthKey key) const;
  // Drops every carry reference (and, with wipe, every figure) in the years
  // of each component's carry range, and clears FirstFigure and RangeEnd.
  void ResetRanges(bool wipe);
  // How many (component, month) figures, trend figures included, lie in the
  // period but before a or after b: what a change of the period to [a, b]
  // would erase.
  int CountFiguresOutside(TMonthKey a, TMonthKey b) const;

  // ---- figures ----------------------------------------------------------
  // Stores a raw value without any other effect (the loader only; it then
  // calls ResetRanges(false), RebuildMonthList, RebuildAllCarryForward and
  // ComputeTrend(0)). A slot may get its values before its component is
  // added. Ignored for a slot outside 1..50, an invalid key or a value
  // outside the figure range.
  void SetCellValue(int slot, TMonthKey key, double value);
  // The cell of a slot and month; an empty cell for invalid input.
  TIndexCell Cell(int slot, TMonthKey key) const;
  // Sets (value > 0) or clears (value 0) the own figure of the component at
  // `position` in period row `row`, keeps carried-forward and trend figures
  // in step, repaints the column when asked. Returns whether the figure
  // changed. Non-finite values and invalid position or row change nothing.
  bool SetFigure(int position, int row, bool repaint, double value);
  bool ClearFigure(int position, int row, bool repaint) { return SetFigure(position, row, repaint, 0); }
  // One month's figure for SetFigures.
  struct TRowFigure {
    int Row = 0;
    double Value = 0;
  };
  // Sets or clears many own figures of the component at `position` at once,
  // with the same result as SetFigure for each in turn but with one
  // recomputation of carried-forward and trend figures. Entries with an
  // invalid row or value are skipped. Returns whether any figure changed.
  bool SetFigures(int position, const std::vector<TRowFigure>& figures);
  // The month has no own figure but carries an earlier one.
  bool IsCarriedForward(int position, int row) const;
  // The month has neither an own figure nor a carried one.
  bool IsEmptyMonth(int position, int row) const;

  // First period month with a figure of a slot, and the end of its carry
  // range (the period end while FirstFigure is set); 0 when none.
  TMonthKey FirstFigure(int slot) const;
  TMonthKey RangeEnd(int slot) const;
  // The months whose CarriedFrom is `key`, in ascending order.
  std::vector<TMonthKey> Dependents(int slot, TMonthKey key) const;

  // Recomputes the carried-forward months of a slot / of every component.
  void RebuildCarryForward(int slot);
  void RebuildAllCarryForward();

  // Removes the trend figures of a slot, or of every component with slot 0.
  void ClearTrend(int slot);
  // Extends a slot's figures (every component's with slot 0) up to
  // December 2100 by its trend kind: kind 1 steps by (last - first) / months
  // from the first to the last own figure, kind 2 by TrendPercentage / 12
  // index points a month. Trend figures stay inside the figure range: a
  // falling trend holds at its last figure above 0, a rising one at
  // 99999.99. Nothing for trend kind 0 or a series without figures.
  void ComputeTrend(int slot);
  // Whether any cell of any component is marked as a trend figure.
  bool HasTrendFigures() const;

  // The figure of the component at `position` for month `key`: its own or
  // trend figure, else the carried-forward one, else the first figure found
  // walking back month by month (0 when none). An invalid key or position
  // gives {0, WalkedBack}.
  TIndexLookup GetIndex(TMonthKey key, int position) const {
    if (static_cast<unsigned>(position - 1) >= static_cast<unsigned>(kMaxComponents)) return {};
    const int i = kMonthIndexOfKey[key];
    if (i < 0) return {};
    const TResolvedMonths* r = byPosition_[static_cast<std::size_t>(position)];
    if (r == nullptr) return LookUpUncached(key, position);
    return {r->Figure[static_cast<std::size_t>(i)], r->Code[static_cast<std::size_t>(i)]};
  }
  // The figures GetIndex gives the component at `position`, for every month
  // index 0..kMonthCount-1 at once; null when they are not at hand (an
  // invalid position, or raw writes not yet followed by a rebuild), and
  // GetIndex must be asked month by month.
  const double* ResolvedFigures(int position) const {
    if (static_cast<unsigned>(position - 1) >= static_cast<unsigned>(kMaxComponents)) return nullptr;
    const TResolvedMonths* r = byPosition_[static_cast<std::size_t>(position)];
    return r != nullptr ? r->Figure.data() : nullptr;
  }

 private:
  void Swap(TBDConfig& other) noexcept;
  void SyncLookups();
  TIndexLookup LookUpUncached(TMonthKey key, int position) const;
  struct Series;  // a slot's figure series, shared between copies
  Series* MutableSeries(int slot);
  const Series* SeriesOf(int slot) const;
  void ResetRangesOfSlot(int slot, bool wipe);
  void EraseMonth(Series& s, int monthIndex);
  void FinishSeries(int slot);
  void ClearSlot(int slot);
  bool ValidSlot(int slot) const { return slot >= 1 && slot <= kMaxComponents; }
  bool UsedSlot(int slot) const;

  TIndexGridPainter* grid_ = nullptr;
  std::array<TBDRecord, kMaxComponents + 1> components_{};  // index = slot; [0] unused
  std::array<std::uint8_t, kMaxComponents + 1> order_{};     // index = position
  std::array<TMonthKey, kMaxComponents + 1> firstFigure_{};  // index = slot
  std::array<TMonthKey, kMaxComponents + 1> rangeEnd_{};     // index = slot
  std::array<std::shared_ptr<Series>, kMaxComponents + 1> series_{};  // null = no figures
  // The look-up results inside series_[slot] while they are up to date; null
  // otherwise (and always for slot 0). Copies share them with the blocks.
  std::array<const TResolvedMonths*, kMaxComponents + 1> resolved_{};
  // resolved_ of the slot at each position (SyncLookups), saving GetIndex a
  // step.
  std::array<const TResolvedMonths*, kMaxComponents + 1> byPosition_{};
  int count_ = 0;
  TMonthKey periodStart_ = 0;
  TMonthKey periodEnd_ = 0;
  int monthCount_ = 0;
  TMonthKey highlightMonth_ = 0;
  std::uint8_t tableKind_ = table_kind::kEditable;
};

}  // namespace pc
