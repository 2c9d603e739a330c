#include "installments/termijn_paste.h"

#include <algorithm>
#include <cmath>

#include "common/date_text.h"
#include "common/date_time.h"
#include "common/number_text.h"
#include "common/text_routines.h"
#include "installments/amount_reading.h"

namespace pc {
namespace {

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string();
  const std::size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

bool AllEmpty(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(), [](const std::string& f) { return f.empty(); });
}

double Day(TDateTime date) { return std::floor(date); }

}  // namespace

std::string PasteStatusText(TPasteStatus status) {
  switch (status) {
    case TPasteStatus::Accepted: return "Goedgekeurd";
    case TPasteStatus::NoDate: return "Geen geldige datum!";
    case TPasteStatus::BeforeStartOfWorks: return "Datum ligt voor uitvoer-startdatum!";
    case TPasteStatus::EndDateTaken: return "Datum reeds in gebruik!";
    case TPasteStatus::DuplicateInList: return "Datum reeds in deze lijst!";
    case TPasteStatus::NoName: return "Geen termijnnaam!";
    case TPasteStatus::NoRoom: return "Maximum aantal termijnen bereikt!";
  }
  return std::string();
}

std::vector<std::vector<std::string>> SplitPastedRows(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool pending = false;  // the current row has begun
  auto endField = [&] {
    if (row.size() < static_cast<std::size_t>(kPastedFieldsKept)) row.push_back(field);
    field.clear();
  };
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\t') {
      endField();
      pending = true;
    } else if (c == '\r') {
      endField();
      rows.push_back(std::move(row));
      row.clear();
      pending = false;
    } else if ((c >= 32 && c <= 126) || c >= 160) {
      field.push_back(ch);
      pending = true;
    }
  }
  if (pending) {
    endField();
    rows.push_back(std::move(row));
  }
  return rows;
}

TPasteRead ReadPastedInstallments(const TTermijnConfig& set, std::string_view text, bool componentVariable,
                                  int currentYear) {
  TPasteRead read;
  const std::vector<std::vector<std::string>> rows = SplitPastedRows(text);
  bool firstRow = true;
  for (const std::vector<std::string>& raw : rows) {
    std::vector<std::string> fields;
    fields.reserve(raw.size());
    for (const std::string& f : raw) fields.push_back(Trimmed(f));
    if (firstRow) {
      read.FirstField = fields.empty() ? std::string() : fields[0];
      firstRow = false;
    }
    if (fields.size() > 1) read.MultiColumn = true;
    if (fields.size() <= 1 || AllEmpty(fields)) continue;
    if (static_cast<int>(read.Candidates.size()) >= kMaxPastedInstallments) {
      ++read.RowsBeyondLimit;
      continue;
    }
    const bool gridLayout = fields.size() >= 5;
    const std::size_t dateField = gridLayout ? 2 : 1;
    const std::size_t amountField = gridLayout ? 4 : 2;
    const std::size_t componentField = gridLayout ? 5 : 3;
    auto field = [&](std::size_t i) { return i < fields.size() ? fields[i] : std::string(); };

    TPastedTermijn c;
    c.Name = Trimmed(CutText(fields[0], kMaxInstallmentNameLength));
    c.Amount = ReadInstallmentAmount(field(amountField));
    c.ComponentAmount = componentVariable ? ReadInstallmentAmount(field(componentField)) : 0.0;
    c.AmountText = FormatAmount(c.Amount);
    c.ComponentAmountText = FormatAmount(c.ComponentAmount);
    const TEndDateResult checked = set.CheckEndDate(field(dateField), false, currentYear);
    if (checked.Code == TEndDateCheck::NoDate) {
      c.Status = TPasteStatus::NoDate;
      c.DateText = CutText(field(dateField), 9);
    } else {
      c.EndDate = checked.Date;
      c.DateText = FormatShortDate(checked.Date);
      c.Status = static_cast<TPasteStatus>(checked.Code);
    }
    if (c.Name.empty()) c.Status = TPasteStatus::NoName;
    read.Candidates.push_back(std::move(c));
  }
  MarkPasteConflicts(set, read.Candidates);
  return read;
}

TPasteRead ReadPastedInstallments(const TTermijnConfig& set, std::string_view text, bool componentVariable) {
  return ReadPastedInstallments(set, text, componentVariable, CurrentYear());
}

void MarkPasteConflicts(const TTermijnConfig& set, std::vector<TPastedTermijn>& candidates) {
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (candidates[i].Status != TPasteStatus::Accepted) continue;
    for (std::size_t j = 0; j < i; ++j)
      if (candidates[j].EndDate != 0 && Day(candidates[j].EndDate) == Day(candidates[i].EndDate)) {
        candidates[i].Status = TPasteStatus::DuplicateInList;
        break;
      }
  }
  int room = kMaxInstallments - set.Count();
  for (TPastedTermijn& c : candidates) {
    if (c.Status != TPasteStatus::Accepted) continue;
    if (room > 0)
      --room;
    else
      c.Status = TPasteStatus::NoRoom;
  }
}

int AcceptedCount(const std::vector<TPastedTermijn>& candidates) {
  return static_cast<int>(std::count_if(candidates.begin(), candidates.end(),
                                        [](const TPastedTermijn& c) { return c.Status == TPasteStatus::Accepted; }));
}

bool PasteNeedsConfirmation(const TPasteRead& read) {
  return read.RowsBeyondLimit > 0 || AcceptedCount(read.Candidates) != static_cast<int>(read.Candidates.size());
}

int AddPastedInstallments(TTermijnConfig& set, const std::vector<TPastedTermijn>& candidates, int componentSlot) {
  TTermijnConfig trial(set);
  int added = 0;
  for (const TPastedTermijn& c : candidates) {
    if (c.Status != TPasteStatus::Accepted) continue;
    TComponentAmounts amounts{};
    if (componentSlot >= 1 && componentSlot <= kMaxComponents)
      amounts[static_cast<std::size_t>(componentSlot)] = c.ComponentAmount;
    if (!trial.InsertInstallment(c.Name, amounts, 0, c.Amount, c.EndDate)) return 0;
    ++added;
  }
  if (added > 0) set = std::move(trial);
  return added;
}

}  // namespace pc
