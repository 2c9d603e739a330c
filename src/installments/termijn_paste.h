// Installments pasted as text (from a spreadsheet or from the installment
// grid itself): splitting the text into rows and fields, reading each row
// as a candidate installment, checking the candidates and adding the
// accepted ones. The text is outside input: every byte sequence gives a
// result, never a crash, and no row is dropped without being counted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "installments/termijn_config.h"

namespace pc {

inline constexpr int kMaxPastedInstallments = 100;
inline constexpr int kPastedFieldsKept = 6;

// Why a candidate is or is not added.
enum class TPasteStatus : std::uint8_t {
  Accepted = 0,           // "Goedgekeurd"
  NoDate = 1,             // the end date field is no date
  BeforeStartOfWorks = 2, // the date lies before the start of the works
  EndDateTaken = 3,       // an installment with that end day exists
  DuplicateInList = 4,    // an earlier candidate of this paste has that end day
  NoName = 5,             // the row has values but no name
  NoRoom = 6              // the set cannot hold this many installments
};

// The status text the paste dialog shows.
std::string PasteStatusText(TPasteStatus status);

struct TPastedTermijn {
  std::string Name;          // at most 25 characters
  TDateTime EndDate = 0;     // 0 when the field is no date
  double Amount = 0;
  double ComponentAmount = 0;  // only read for a variable current component
  std::string DateText;        // FormatShortDate of EndDate, or the field as pasted
  std::string AmountText;      // money format of Amount
  std::string ComponentAmountText;
  TPasteStatus Status = TPasteStatus::Accepted;
};

struct TPasteRead {
  std::vector<TPastedTermijn> Candidates;
  // Whether any row had more than one field (otherwise it is a single value).
  bool MultiColumn = false;
  // The first field of the first row, for a single-value paste.
  std::string FirstField;
  // Rows with values beyond the first 100 candidates; they are not read.
  int RowsBeyondLimit = 0;
};

// Splits clipboard text as spreadsheets write it: TAB ends a field, CR ends a
// field and the row, LF and every other byte outside 32..126 is ignored
// (Windows-1252 letters above 127 are kept in names). Each row keeps its
// first six fields; the last row counts also without a closing CR.
std::vector<std::vector<std::string>> SplitPastedRows(std::string_view text);

// Reads every row into candidates, checked against `set` (its start of the
// works and end dates, without messages). With fewer than five fields a row
// is name, end date, amount, component amount; with five or more it is the
// grid's own copy: name, begin date, end date, days, amount, component
// amount. Amounts are read with ReadInstallmentAmount. A row whose fields
// are all empty is skipped; a row with a single field gives no candidate
// (it may be a single-value paste). Duplicates and room are marked too, so
// that every candidate not Accepted can be shown to the user.
TPasteRead ReadPastedInstallments(const TTermijnConfig& set, std::string_view text, bool componentVariable,
                                  int currentYear);
TPasteRead ReadPastedInstallments(const TTermijnConfig& set, std::string_view text, bool componentVariable);

// Marks every accepted candidate whose end day an earlier candidate of the
// list has (any status but NoDate) as DuplicateInList; then every accepted
// candidate beyond the room left in `set` as NoRoom.
void MarkPasteConflicts(const TTermijnConfig& set, std::vector<TPastedTermijn>& candidates);

// Whether the user must see the candidates before anything is added: some
// candidate is not accepted or rows were beyond the limit.
bool PasteNeedsConfirmation(const TPasteRead& read);
int AcceptedCount(const std::vector<TPastedTermijn>& candidates);

// Adds every accepted candidate as a new installment, the component amount
// going to the component in `componentSlot` (0: none). All or nothing:
// when one of them cannot be added, `set` stays as it was and 0 is
// returned; otherwise the number added.
int AddPastedInstallments(TTermijnConfig& set, const std::vector<TPastedTermijn>& candidates, int componentSlot);

}  // namespace pc
