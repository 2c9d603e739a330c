#include "project/project_json_model.h"

#include <algorithm>

#include "indextable/month_key.h"

namespace pc::project_json {
namespace {

YearMonth YearMonthOfKey(TMonthKey key) { return {YearOfIndex(KeyYearIndex(key)), KeyMonth(key)}; }

TMonthKey KeyOf(YearMonth month) { return MonthKeyOfYearMonth(month.year, month.month); }

}  // namespace

std::pair<YearMonth, YearMonth> DerivedPeriod(const ProjectDescription& d) {
  std::optional<YearMonth> first, last;
  const TMonthKey priceKey = MonthKeyOf(d.price_reference_date);
  if (priceKey != 0) first = last = YearMonthOfKey(priceKey);
  for (const auto& c : d.components) {
    if (c.figures.empty()) continue;
    const YearMonth a = c.figures.begin()->first, b = c.figures.rbegin()->first;
    first = first ? std::min(*first, a) : a;
    last = last ? std::max(*last, b) : b;
  }
  if (!first) first = last = YearMonth{2000, 1};
  return {*first, *last};
}

std::optional<std::string> ToDocument(const ProjectDescription& d, project::TProjectData& doc) {
  doc.Clear();
  doc.EnsureModels();
  doc.ProjectName = d.project_name;
  doc.Client = d.client;
  doc.Contractor = d.contractor;
  doc.PriceReferenceDate = d.price_reference_date;
  doc.TenderDate = d.tender_date;
  doc.StartOfWorks = d.start_of_works;
  doc.CalcMethod = d.calc_method;
  doc.Concept = d.is_concept;
  doc.IndexFileName = d.index_file_name;

  TBDConfig& table = *doc.IndexTable;
  const auto period = d.index_period ? *d.index_period : DerivedPeriod(d);
  table.SetPeriodStart(KeyOf(period.first));
  table.SetPeriodEnd(KeyOf(period.second));
  table.RebuildMonthList();
  for (const auto& c : d.components) {
    TComponentValues values;
    values.Name = c.name;
    values.Percentage = c.percentage;
    values.Variable = c.variable;
    values.StartRule = c.start_rule;
    values.StartDate = c.start_date;
    values.TrendKind = c.trend_kind;
    values.TrendPercentage = c.trend_percentage;
    const int slot = table.AddComponent(values);
    if (slot == 0) return "bestanddeel " + c.name + " kan niet worden toegevoegd";
    for (const auto& [month, figure] : c.figures) table.SetCellValue(slot, KeyOf(month), figure);
  }
  table.ResetRanges(false);
  table.RebuildMonthList();
  table.RebuildAllCarryForward();
  table.ComputeTrend(0);
  table.SetTableKind(table_kind::kEditable);

  TTermijnConfig& set = *doc.Installments;
  set.SetProjectDates(d.price_reference_date, d.tender_date, d.start_of_works);
  set.SetSimplified(d.calc_method);
  for (const auto& t : d.installments) {
    TComponentAmounts amounts{};
    for (const auto& [name, amount] : t.component_amounts) {
      const int slot = table.FindComponent(name);
      if (slot == 0) return "termijn " + t.name + ": onbekend bestanddeel " + name;
      amounts[static_cast<std::size_t>(slot)] = amount;
    }
    if (!set.InsertInstallment(t.name, amounts, 0, t.amount, t.end_date))
      return "termijn " + t.name + " kan niet worden toegevoegd";
  }
  doc.UpdateIndexBinding();
  return std::nullopt;
}

ProjectDescription FromDocument(const project::TProjectData& doc) {
  ProjectDescription d;
  d.project_name = doc.ProjectName;
  d.client = doc.Client;
  d.contractor = doc.Contractor;
  d.price_reference_date = doc.PriceReferenceDate;
  d.tender_date = doc.TenderDate;
  d.start_of_works = doc.StartOfWorks;
  d.calc_method = doc.CalcMethod == 1 ? 1 : 0;
  d.is_concept = doc.Concept;
  d.index_file_name = doc.IndexFileName;
  if (doc.IndexTable) {
    const TBDConfig& table = *doc.IndexTable;
    for (int position = 1; position <= table.Count(); ++position) {
      const TBDRecord& r = table.GetComponent(position);
      ComponentDescription c;
      c.name = r.Name;
      c.percentage = r.Percentage;
      c.variable = r.Variable;
      c.start_rule = r.StartRule;
      c.start_date = r.StartDate;
      c.trend_kind = r.TrendKind;
      c.trend_percentage = r.TrendPercentage;
      for (int m = 0; m < kMonthCount; ++m) {
        const TMonthKey key = KeyOfMonthIndex(m);
        const TIndexLookup found = table.GetIndex(key, position);
        if (found.Code == TIndexResult::Own && found.Figure != 0)
          c.figures[YearMonthOfKey(key)] = found.Figure;
      }
      d.components.push_back(std::move(c));
    }
    if (IsValidMonthKey(table.PeriodStart()) && IsValidMonthKey(table.PeriodEnd())) {
      const std::pair<YearMonth, YearMonth> period{YearMonthOfKey(table.PeriodStart()),
                                                   YearMonthOfKey(table.PeriodEnd())};
      if (period != DerivedPeriod(d)) d.index_period = period;
    }
  }
  if (doc.Installments && doc.IndexTable) {
    const TTermijnConfig& set = *doc.Installments;
    const TBDConfig& table = *doc.IndexTable;
    for (int slot = 1; slot <= set.Count(); ++slot) {
      TInstallmentData data;
      if (!set.GetInstallment(slot, false, data)) continue;
      InstallmentDescription t;
      t.name = data.Name;
      t.end_date = data.EndDate;
      t.amount = data.Amount;
      for (int position = 1; position <= table.Count(); ++position) {
        const int componentSlot = table.SlotAt(position);
        const TBDRecord& r = table.GetComponent(position);
        const double amount = data.ComponentAmounts[static_cast<std::size_t>(componentSlot)];
        if (r.Variable && amount != 0) t.component_amounts.emplace_back(r.Name, amount);
      }
      d.installments.push_back(std::move(t));
    }
  }
  return d;
}

}  // namespace pc::project_json
