#include "full_project.h"

#include <cstdio>

#include "common/date_time.h"
#include "indextable/month_key.h"

namespace pc::bench {

void FillFullProject(project::TProject& history) {
  project::TProjectData& d = history.Current();
  d.EnsureModels();
  d.ProjectName = "Volledig project";
  d.PriceReferenceDate = EncodeDate(1990, 1, 15);
  d.TenderDate = d.PriceReferenceDate;
  d.StartOfWorks = EncodeDate(1990, 1, 1);
  TBDConfig& table = *d.IndexTable;
  table.SetPeriodStart(kFirstMonthKey);
  table.SetPeriodEnd(kLastMonthKey);
  table.RebuildMonthList();
  for (int c = 1; c <= kFullComponents; ++c) {
    TComponentValues v;
    v.Name = "Bestanddeel " + std::to_string(c);
    v.Variable = c > 40;
    v.Percentage = v.Variable ? 0 : 2.5;
    const int slot = table.AddComponent(v);
    for (int m = 0; m < kMonthCount; ++m) table.SetCellValue(slot, KeyOfMonthIndex(m), 100.0 + (m % 97) * 0.25 + c);
  }
  table.ResetRanges(false);
  table.RebuildMonthList();
  table.RebuildAllCarryForward();
  table.ComputeTrend(0);
  TTermijnConfig& set = *d.Installments;
  set.SetProjectDates(d.PriceReferenceDate, d.TenderDate, d.StartOfWorks);
  for (int i = 0; i < kFullInstallments; ++i) {
    const int year = 1990 + i / 12, month = i % 12 + 1;
    TComponentAmounts amounts{};
    for (int c = 41; c <= kFullComponents; ++c) amounts[static_cast<std::size_t>(c)] = 100.0 + i;
    set.InsertInstallment("Termijn " + std::to_string(i + 1), amounts, 0, 25000.0 + i,
                          EncodeDate(year, month, DaysInMonth(year, month)));
  }
  d.Recalculate(1, false);
}

void EditStep(project::TProject& history, int i) {
  history.BeginStep(false);
  project::TProjectData& d = history.Current();
  const int position = i % kFullComponents + 1;
  const int row = (i * 37) % d.IndexTable->MonthCount() + 1;
  d.IndexTable->SetFigure(position, row, false, 150.0 + (i % 1000) * 0.01);
  d.Recalculate(1, false);
  history.CommitStep();
}

std::string WriteFullProject(const std::string& folder) {
  project::TProject history;
  FillFullProject(history);
  const std::string project = folder + "/full.kvp";
  if (!history.Current().ExportIndexFile(folder + "/full.kvi", 0) || !history.SaveDocument(project))
    std::fprintf(stderr, "the full project could not be written to %s\n", folder.c_str());
  return project;
}

}  // namespace pc::bench
