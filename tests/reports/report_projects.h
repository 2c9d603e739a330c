// Project files for the report tests: a project with many components, an
// optional concept flag and a run of installments, written as .kvp + .kvi.
#pragma once

#include <string>

#include "common/date_time.h"
#include "indextable/month_key.h"
#include "project/project_data.h"

namespace pc::reports::testing {

struct TReportProjectSpec {
  int Components = 12;
  int Installments = 3;
  bool Concept = false;
  std::string Name = "Rapportproject";
};

// Builds the project in `document` (models created): components "Bestanddeel n"
// of 5% with figures for 2008..2009, monthly installments from February 2008.
inline void BuildReportProject(project::TProjectData& document, const TReportProjectSpec& spec) {
  document.EnsureModels();
  TBDConfig& table = *document.IndexTable;
  table.SetPeriodStart(MonthKeyOfYearMonth(2008, 1));
  table.SetPeriodEnd(MonthKeyOfYearMonth(2009, 12));
  table.RebuildMonthList();
  for (int i = 1; i <= spec.Components; ++i) {
    TComponentValues values;
    values.Name = "Bestanddeel " + std::to_string(i);
    values.Percentage = 5;
    const int position = table.PositionOf(table.AddComponent(values));
    for (int row = 1; row <= table.MonthCount(); ++row) table.SetFigure(position, row, false, 100 + i + row * 0.5);
  }
  document.SetProperties(spec.Name, "Opdrachtgever BV", EncodeDate(2008, 2, 1), EncodeDate(2008, 1, 15),
                         "Aannemer BV");
  document.TenderDate = EncodeDate(2008, 1, 15);
  document.Concept = spec.Concept;
  for (int i = 0; i < spec.Installments; ++i) {
    TTermijnConfig& set = *document.Installments;
    set.SetProjectDates(document.PriceReferenceDate, document.TenderDate, document.StartOfWorks);
    set.InsertInstallment("Termijn " + std::to_string(i + 1), {}, 0, 1000.0 * (i + 1),
                          EncodeDate(2008, 2, 1) + 27 + 30 * i);
  }
  document.Recalculate(1, true);
}

// Writes the project and its index file; false when either failed.
inline bool WriteReportProject(const std::string& kvp, const std::string& kvi, const TReportProjectSpec& spec) {
  project::TProjectServices services;
  project::TProjectData document(&services);
  BuildReportProject(document, spec);
  document.IndexFileName = kvi.substr(kvi.find_last_of('/') + 1);
  return document.SaveIndexFile(kvi, false, false) && document.SaveProjectFile(kvp);
}

}  // namespace pc::reports::testing
