#include "reports/report_feeds.h"

#include <algorithm>

#include "common/date_text.h"
#include "common/number_text.h"
#include "common/text_routines.h"
#include "indextable/month_key.h"

namespace pc::reports {
namespace {

constexpr std::size_t kCaptionLength = 64;
constexpr std::size_t kMonthLength = 15;

std::string MonthCaption(TMonthKey key) {
  return MonthName(KeyMonth(key)) + ", " + std::to_string(YearOfIndex(KeyYearIndex(key)));
}

TIndexReportCell CellOf(const TBDConfig& table, TMonthKey key, int position) {
  const TIndexLookup found = table.GetIndex(key, position);
  TIndexReportCell cell;
  switch (found.Code) {
    case TIndexResult::Own: cell.Kind = TFigureKind::Own; break;
    case TIndexResult::CarriedForward: cell.Kind = TFigureKind::CarriedForward; break;
    case TIndexResult::Trend: cell.Kind = TFigureKind::Trend; break;
    case TIndexResult::WalkedBack: return cell;  // an empty month
  }
  if (found.Figure > 0) cell.Text = FormatTwoDecimals(2, found.Figure);
  return cell;
}

std::string Percent(double value) { return CutText(FormatTwoDecimals(2, value) + "%", 8); }
std::string Money(double value) { return CutText(FormatAmount(value), 15); }

TReportLine InstallmentLine(const TTermijnConfig& set, int slot, const TBDRecord& component) {
  TReportLine line;
  line.Kind = TReportLine::TKind::Installment;
  const double amount = set.Amount(slot);
  const double componentAmount = set.InstallmentComponentAmount(slot);
  line.Name = CutText(set.Name(slot), 25);
  line.BeginDate = CutText(FormatShortDate(set.BeginDate(slot)), 25);
  line.EndDate = CutText(FormatShortDate(set.EndDate(slot)), 10);
  line.Days = CutText(std::to_string(set.Days(slot)), 5);
  line.Amount = Money(amount);
  line.ComponentAmount = Money(componentAmount);
  line.Correction = Money(set.InstallmentCorrection(slot));
  const double share =
      component.Variable ? (amount > 0 ? componentAmount / amount * 100 : 0) : component.Percentage;
  line.Share = Percent(share);
  line.AmountValue = amount;
  return line;
}

TReportLine SubPeriodLine(const TTermijnPeriod& period) {
  TReportLine line;
  line.Kind = TReportLine::TKind::SubPeriod;
  line.BeginDate = CutText(FormatShortDate(period.BeginDate), 25);
  line.EndDate = CutText(FormatShortDate(period.EndDate), 10);
  line.Days = CutText(std::to_string(period.Days), 5);
  line.Amount = Money(period.Amount);
  line.ComponentAmount = Money(period.Result.ComponentAmount);
  line.Correction = Money(period.Result.Correction);
  line.Change = Percent(period.Result.Change);
  return line;
}

// The lines of one installment, or nothing when they would not leave room
// for the closing line.
bool AddInstallment(TReportSection& section, const TTermijnConfig& set, int slot,
                    const TBDRecord& component) {
  const auto periods = set.SubPeriods(slot);
  const std::size_t needed = 1 + periods.size();
  if (section.Lines.size() + needed + 1 > static_cast<std::size_t>(kMaxReportRows)) return false;
  section.Lines.push_back(InstallmentLine(set, slot, component));
  for (const TTermijnPeriod& period : periods) section.Lines.push_back(SubPeriodLine(period));
  return true;
}

}  // namespace

TReportHeader ReportHeaderOf(const project::TProjectData& document) {
  TReportHeader header;
  header.ProjectName = CutText(document.ProjectName, 50);
  header.Client = CutText(document.Client, 50);
  header.Contractor = CutText(document.Contractor, 50);
  header.PriceReferenceDate = document.PriceReferenceDate;
  header.StartOfWorks = document.StartOfWorks;
  header.TenderDate = document.TenderDate;
  if (document.HasLogo && document.Logo && !document.Logo->Empty()) header.Logo = document.Logo;
  return header;
}

TIndexReportData FeedIndexReport(const TReportHeader& header, const TBDConfig& table) {
  TIndexReportData data;
  data.Header = header;
  data.TrendUsed = table.HasTrendFigures();
  const int count = table.Count();
  for (int position = 1; position <= count; ++position)
    data.Captions.push_back(CutText(table.ComponentCaptionAt(position), kCaptionLength));
  const int months = table.MonthCount();
  const int kept = std::min(months, kMaxReportRows);
  data.DroppedRows = months - kept;
  data.Rows.resize(static_cast<std::size_t>(kept));
  for (int row = 1; row <= kept; ++row) {
    const TMonthKey key = table.MonthAt(row);
    TIndexReportRow& out = data.Rows[static_cast<std::size_t>(row - 1)];
    out.Month = CutText(MonthCaption(key), kMonthLength);
    out.Cells.reserve(static_cast<std::size_t>(count));
    for (int position = 1; position <= count; ++position) out.Cells.push_back(CellOf(table, key, position));
  }
  return data;
}

std::vector<TComponentChoice> ReportComponentChoices(const TBDConfig& table) {
  std::vector<TComponentChoice> choices;
  for (int position = 1; position <= table.Count(); ++position) {
    const TBDRecord& component = table.GetComponent(position);
    choices.push_back({table.ComponentCaptionAt(position), TakesPart(component)});
  }
  return choices;
}

TInstallmentReportData FeedInstallmentReport(const TReportHeader& header, const TBDConfig& table,
                                             TTermijnConfig installments,
                                             const std::vector<int>& positions, bool withOverview) {
  TInstallmentReportData data;
  data.Header = header;
  data.TrendUsed = table.HasTrendFigures();
  data.WithOverview = withOverview;
  installments.SetIndexTable(&table);
  double installmentsTotal = 0;
  for (int slot = 1; slot <= installments.Count(); ++slot) installmentsTotal += installments.Amount(slot);

  std::vector<int> chosen(positions);
  std::sort(chosen.begin(), chosen.end());
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  for (int position : chosen) {
    if (position < 1 || position > table.Count()) continue;
    const TBDRecord& component = table.GetComponent(position);
    if (!TakesPart(component)) continue;
    installments.Calculate(position);
    TReportSection section;
    for (int slot = 1; slot <= installments.Count(); ++slot) {
      if (!AddInstallment(section, installments, slot, component)) {
        section.DroppedLines = installments.Count() - slot + 1;
        break;
      }
    }
    const double amountTotal = installments.AmountTotal(position);
    const double correctionTotal = installments.CorrectionTotal(position);
    section.Summary.Caption = CutText(table.ComponentCaptionAt(position), kCaptionLength);
    section.Summary.TotalAmount = amountTotal;
    section.Summary.TotalAmountText = Money(amountTotal);
    section.Summary.TotalCorrection = correctionTotal;
    section.Summary.TotalCorrectionText = Money(correctionTotal);
    section.Summary.InstallmentsTotal = installmentsTotal;
    TReportLine totals;
    totals.Name = "Totalen:";
    totals.Amount = Money(installmentsTotal);
    totals.ComponentAmount = Money(amountTotal);
    totals.Correction = Money(correctionTotal);
    section.Lines.push_back(std::move(totals));
    data.Sections.push_back(std::move(section));
  }
  return data;
}

TInstallmentReportData FeedInstallmentReport(const project::TProjectData& document,
                                             const std::vector<int>& positions, bool withOverview) {
  if (!document.IndexTable || !document.Installments) {
    TInstallmentReportData empty;
    empty.Header = ReportHeaderOf(document);
    empty.WithOverview = withOverview;
    return empty;
  }
  TTermijnConfig set(*document.Installments);
  set.SetProjectDates(document.PriceReferenceDate, document.TenderDate, document.StartOfWorks);
  set.SetSimplified(document.CalcMethod);
  return FeedInstallmentReport(ReportHeaderOf(document), *document.IndexTable, std::move(set), positions,
                               withOverview);
}

}  // namespace pc::reports
