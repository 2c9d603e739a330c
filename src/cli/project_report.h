// What `prijscorrectum-cli calc` and `show` print: the corrections of every
// installment per component with their totals, as text (the way the
// window shows amounts and dates), as CSV for Dutch spreadsheets (";" and
// decimal commas), or as JSON with unrounded numbers. Texts come out as
// UTF-8.
#pragma once

#include <string>
#include <vector>

#include "project/project_data.h"

namespace pc::cli {

// The corrections of one project, computed once.
struct TCalcTable {
  struct Component {
    int Position = 0;
    std::string Name;     // Windows-1252
    std::string Caption;  // ComponentCaption
    double AmountTotal = 0;
    double CorrectionTotal = 0;
  };
  struct Installment {
    std::string Name;  // Windows-1252
    TDateTime BeginDate = 0;
    TDateTime EndDate = 0;
    unsigned Days = 0;
    double Amount = 0;
    std::vector<double> Corrections;  // one per component, same order
    double Total = 0;
  };
  std::vector<Component> Components;  // those taking part, display order
  std::vector<Installment> Installments;
  double AmountTotal = 0;      // sum of all installment amounts
  double CorrectionTotal = 0;  // the project's total correction
};

// Computes every component of the document (models must exist).
TCalcTable ComputeCalcTable(project::TProjectData& document);

std::string CalcAsText(const project::TProjectData& document, const TCalcTable& table);
std::string CalcAsCsv(const TCalcTable& table);
std::string CalcAsJson(const project::TProjectData& document, const TCalcTable& table);

// The properties, bound index file and binding, components and
// installments of a document, as text.
std::string ShowAsText(const project::TProjectData& document);

// A CSV field: quoted (with doubled quotes) when it holds ';', '"' or a
// line break.
std::string CsvField(const std::string& text);
// A number with two decimals and a decimal comma, without grouping.
std::string CsvNumber(double value);

}  // namespace pc::cli
