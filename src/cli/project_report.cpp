#include "cli/project_report.h"

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "common/cp1252.h"
#include "common/date_text.h"
#include "common/number_text.h"
#include "indextable/month_key.h"
#include "project/project_json.h"

namespace pc::cli {
namespace {

using project::TProjectData;

const char* MethodName(int method) {
  // "Officiële" with the Windows-1252 e-diaeresis.
  return method == 1 ? "Vereenvoudigde berekeningsmethode" : "Offici\xEB" "le berekeningsmethode";
}

std::string Money(double amount) { return "\x80 " + FormatAmount(amount); }

// A table of single-byte texts with columns padded to their widest cell.
class TextTable {
 public:
  explicit TextTable(std::vector<bool> rightAligned) : right_(std::move(rightAligned)) {}
  void Row(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
  std::string Render() const {
    std::vector<std::size_t> width(right_.size(), 0);
    for (const auto& row : rows_)
      for (std::size_t i = 0; i < row.size() && i < width.size(); ++i)
        width[i] = std::max(width[i], row[i].size());
    std::string out;
    for (const auto& row : rows_) {
      std::string line;
      for (std::size_t i = 0; i < width.size(); ++i) {
        const std::string cell = i < row.size() ? row[i] : std::string();
        const std::string pad(width[i] - cell.size(), ' ');
        if (i) line += "  ";
        line += right_[i] ? pad + cell : cell + pad;
      }
      while (!line.empty() && line.back() == ' ') line.pop_back();
      out += line + "\n";
    }
    return out;
  }

 private:
  std::vector<bool> right_;
  std::vector<std::vector<std::string>> rows_;
};

std::string BindingText(std::uint8_t binding) {
  switch (binding) {
    case project::index_binding::kCentral: return "centraal (0)";
    case project::index_binding::kLocal: return "lokaal (1)";
    case project::index_binding::kNone: return "geen, schrijfbeveiligd (2)";
    case project::index_binding::kCentralOnline: return "centraal online (3)";
    default: return "onbekend (" + std::to_string(binding) + ")";
  }
}

std::string StartRuleText(const TBDRecord& c) {
  switch (c.StartRule) {
    case start_rule::kStartOfWorks: return "Start uitvoering";
    case start_rule::kYearAfterTender: return "Een jaar na aanbesteding";
    case start_rule::kFixedDate: return "Per " + FormatShortDate(c.StartDate);
    case start_rule::kYearAfterStartOfWorks: return "Een jaar na start uitvoering";
    default: return "Start uitvoering";
  }
}

std::string TrendText(const TBDRecord& c) {
  switch (c.TrendKind) {
    case trend_kind::kFromFigures: return "Lineaire trend op basis van indexwaardes";
    case trend_kind::kFixedPercentage:
      return "Lineaire trend op basis van vast jaarlijks percentage (" +
             FormatTwoDecimals(2, c.TrendPercentage) + "%)";
    default: return "Geen";
  }
}

std::string MonthText(TMonthKey key) {
  if (!IsValidMonthKey(key)) return "-";
  return MonthAbbreviation(KeyMonth(key)) + " " + std::to_string(YearOfIndex(KeyYearIndex(key)));
}

std::string CsvDate(TDateTime date) {
  const TYmd ymd = DecodeDate(date);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", ymd.Day, ymd.Month, ymd.Year);
  return buf;
}

nlohmann::ordered_json JsonNumber(double v) {
  return std::isfinite(v) ? nlohmann::ordered_json(v) : nlohmann::ordered_json(nullptr);
}

}  // namespace

TCalcTable ComputeCalcTable(TProjectData& document) {
  TCalcTable table;
  if (!document.IndexTable || !document.Installments) return table;
  const TBDConfig& index = *document.IndexTable;
  TTermijnConfig& set = *document.Installments;
  document.Recalculate(0, false);
  for (int position = 1; position <= index.Count(); ++position) {
    const TBDRecord& c = index.GetComponent(position);
    if (!TakesPart(c)) continue;
    table.Components.push_back({position, c.Name, index.ComponentCaptionAt(position), 0, 0});
  }
  table.Installments.resize(static_cast<std::size_t>(set.Count()));
  for (auto& component : table.Components) {
    set.Calculate(component.Position);
    component.AmountTotal = set.AmountTotal(component.Position);
    component.CorrectionTotal = set.CorrectionTotal(component.Position);
    for (int slot = 1; slot <= set.Count(); ++slot)
      table.Installments[static_cast<std::size_t>(slot - 1)].Corrections.push_back(
          set.InstallmentCorrection(slot));
  }
  set.Calculate(0);
  for (int slot = 1; slot <= set.Count(); ++slot) {
    auto& row = table.Installments[static_cast<std::size_t>(slot - 1)];
    row.Name = set.Name(slot);
    row.BeginDate = set.BeginDate(slot);
    row.EndDate = set.EndDate(slot);
    row.Days = set.Days(slot);
    row.Amount = set.Amount(slot);
    row.Total = 0;
    for (double correction : row.Corrections) row.Total += correction;
  }
  table.AmountTotal = set.AmountTotal(0);
  table.CorrectionTotal = set.CorrectionTotal(0);
  return table;
}

std::string CalcAsText(const TProjectData& document, const TCalcTable& table) {
  std::string out;
  out += "Projectnaam:        " + document.ProjectName + "\n";
  out += "Prijspeildatum:     " + FormatShortDate(document.PriceReferenceDate) + "\n";
  out += "Aanvang uitvoering: " + FormatShortDate(document.StartOfWorks) + "\n";
  out += "Berekeningsmethode: " + std::string(MethodName(document.CalcMethod)) + "\n\n";

  std::vector<bool> right = {false, true, true, true, true};
  std::vector<std::string> header = {"Termijnnaam", "Begindatum", "Einddatum", "Dagen",
                                     "Termijnbedrag"};
  for (const auto& c : table.Components) {
    right.push_back(true);
    header.push_back(c.Caption);
  }
  right.push_back(true);
  header.push_back("Te verrekenen");
  TextTable text(right);
  text.Row(header);
  for (const auto& row : table.Installments) {
    std::vector<std::string> cells = {row.Name, FormatShortDate(row.BeginDate),
                                      FormatShortDate(row.EndDate), std::to_string(row.Days),
                                      Money(row.Amount)};
    for (double correction : row.Corrections) cells.push_back(Money(correction));
    cells.push_back(Money(row.Total));
    text.Row(cells);
  }
  std::vector<std::string> totals = {"Totalen:", "", "", "", Money(table.AmountTotal)};
  for (const auto& c : table.Components) totals.push_back(Money(c.CorrectionTotal));
  totals.push_back(Money(table.CorrectionTotal));
  text.Row(totals);
  out += text.Render();

  out += "\nCorrectietotaal\n";
  TextTable sums({false, true, true});
  sums.Row({"Bestanddeel", "Bedrag", "Te verrekenen"});
  for (const auto& c : table.Components)
    sums.Row({c.Caption, Money(c.AmountTotal), Money(c.CorrectionTotal)});
  sums.Row({"Project:", Money(table.AmountTotal), Money(table.CorrectionTotal)});
  out += sums.Render();
  return Cp1252ToUtf8(out);
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(";\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string CsvNumber(double value) { return FormatTwoDecimals(2, value); }

std::string CalcAsCsv(const TCalcTable& table) {
  std::string out = "Termijnnaam;Begindatum;Einddatum;Dagen;Termijnbedrag";
  for (const auto& c : table.Components) out += ";" + CsvField(c.Caption);
  out += ";Te verrekenen\r\n";
  for (const auto& row : table.Installments) {
    out += CsvField(row.Name) + ";" + CsvDate(row.BeginDate) + ";" + CsvDate(row.EndDate) + ";" +
           std::to_string(row.Days) + ";" + CsvNumber(row.Amount);
    for (double correction : row.Corrections) out += ";" + CsvNumber(correction);
    out += ";" + CsvNumber(row.Total) + "\r\n";
  }
  out += "Totalen:;;;;" + CsvNumber(table.AmountTotal);
  for (const auto& c : table.Components) out += ";" + CsvNumber(c.CorrectionTotal);
  out += ";" + CsvNumber(table.CorrectionTotal) + "\r\n";
  return Cp1252ToUtf8(out);
}

std::string CalcAsJson(const TProjectData& document, const TCalcTable& table) {
  using Json = nlohmann::ordered_json;
  Json root;
  root["project_name"] = Cp1252ToUtf8(document.ProjectName);
  root["calc_method"] = document.CalcMethod == 1 ? "simplified" : "official";
  root["price_reference_date"] = project_json::IsoDate(document.PriceReferenceDate);
  Json components = Json::array();
  for (const auto& c : table.Components) {
    Json jc;
    jc["position"] = c.Position;
    jc["name"] = Cp1252ToUtf8(c.Name);
    jc["amount_total"] = JsonNumber(c.AmountTotal);
    jc["correction_total"] = JsonNumber(c.CorrectionTotal);
    components.push_back(std::move(jc));
  }
  root["components"] = std::move(components);
  Json installments = Json::array();
  for (const auto& row : table.Installments) {
    Json jt;
    jt["name"] = Cp1252ToUtf8(row.Name);
    jt["begin_date"] = project_json::IsoDate(row.BeginDate);
    jt["end_date"] = project_json::IsoDate(row.EndDate);
    jt["days"] = row.Days;
    jt["amount"] = JsonNumber(row.Amount);
    Json corrections = Json::object();
    for (std::size_t i = 0; i < table.Components.size() && i < row.Corrections.size(); ++i)
      corrections[Cp1252ToUtf8(table.Components[i].Name)] = JsonNumber(row.Corrections[i]);
    jt["corrections"] = std::move(corrections);
    jt["correction"] = JsonNumber(row.Total);
    installments.push_back(std::move(jt));
  }
  root["installments"] = std::move(installments);
  Json totals;
  totals["amount"] = JsonNumber(table.AmountTotal);
  totals["correction"] = JsonNumber(table.CorrectionTotal);
  root["totals"] = std::move(totals);
  return root.dump(2) + "\n";
}

std::string ShowAsText(const TProjectData& d) {
  std::string out;
  TextTable props({false, false});
  props.Row({"Projectnaam:", d.ProjectName});
  props.Row({"Opdrachtgever:", d.Client});
  props.Row({"Opdrachtnemer:", d.Contractor});
  props.Row({"Prijspeildatum:", FormatShortDate(d.PriceReferenceDate)});
  props.Row({"Aanbestedingsdatum:", FormatShortDate(d.TenderDate)});
  props.Row({"Aanvang uitvoering:", FormatShortDate(d.StartOfWorks)});
  props.Row({"Berekeningsmethode:", MethodName(d.CalcMethod)});
  props.Row({"Concept:", d.Concept ? "ja" : "nee"});
  props.Row({"Projectbestand:", d.ProjectPath});
  props.Row({"Indexbestand:", d.IndexPath.empty() ? std::string("(geen)") : d.IndexPath});
  props.Row({"Koppeling:", BindingText(d.IndexBinding)});
  if (d.OnlineInfo) props.Row({"Online index:", d.OnlineInfo->Memo});
  out += props.Render();

  if (d.IndexTable) {
    const TBDConfig& index = *d.IndexTable;
    out += "\nBestanddelen (" + std::to_string(index.Count()) + "), periode " +
           MonthText(index.PeriodStart()) + " - " + MonthText(index.PeriodEnd()) + ":\n";
    TextTable components({true, false, false, false, true});
    components.Row({"Nr", "Bestanddeel", "Verrekening", "Trend", "Indexcijfers"});
    for (int position = 1; position <= index.Count(); ++position) {
      const TBDRecord& c = index.GetComponent(position);
      int figures = 0;
      for (int m = 0; m < kMonthCount; ++m) {
        const TIndexLookup found = index.GetIndex(KeyOfMonthIndex(m), position);
        if (found.Code == TIndexResult::Own && found.Figure != 0) ++figures;
      }
      components.Row({std::to_string(position), index.ComponentCaptionAt(position),
                      StartRuleText(c), TrendText(c), std::to_string(figures)});
    }
    out += components.Render();
  }
  if (d.Installments) {
    const TTermijnConfig& set = *d.Installments;
    out += "\nTermijnen (" + std::to_string(set.Count()) + "):\n";
    TextTable rows({false, true, true});
    rows.Row({"Termijnnaam", "Einddatum", "Termijnbedrag"});
    for (int slot = 1; slot <= set.Count(); ++slot)
      rows.Row({set.Name(slot), FormatShortDate(set.EndDate(slot)), Money(set.Amount(slot))});
    out += rows.Render();
  }
  return Cp1252ToUtf8(out);
}

}  // namespace pc::cli
