// What the reports receive from a project: the header, the index report's
// month rows and the installment report's sections, computed from the
// document's own index table and installments.
#pragma once

#include <string>
#include <vector>

#include "indextable/bd_config.h"
#include "installments/termijn_config.h"
#include "project/project_data.h"
#include "reports/report_data.h"

namespace pc::reports {

// The header of both reports: name, client, contractor, the three dates
// and the print logo when the project has one.
TReportHeader ReportHeaderOf(const project::TProjectData& document);

// The index report of `table`: one caption per component (ComponentCaption,
// at most 64 characters) and one row per month of the table's period. A
// figure is printed whole with two decimals; a carried-forward month shows
// the figure it carries, a month without a figure an empty text.
TIndexReportData FeedIndexReport(const TReportHeader& header, const TBDConfig& table);

// A component as the selection of the installment report offers it.
struct TComponentChoice {
  std::string Caption;
  bool Enabled = false;  // it takes part in the calculation
};
std::vector<TComponentChoice> ReportComponentChoices(const TBDConfig& table);

// The installment report for the components at `positions` (ascending;
// positions that name no component or take no part are skipped). Every
// section lists each installment followed by all its sub-periods and ends
// with "Totalen:". A section whose lines would pass kMaxReportRows keeps
// its "Totalen:" line and counts the lines it left out in DroppedLines.
// `installments` is a copy, computed here; the document stays untouched.
TInstallmentReportData FeedInstallmentReport(const TReportHeader& header, const TBDConfig& table,
                                             TTermijnConfig installments,
                                             const std::vector<int>& positions, bool withOverview);

// The same for an open document, with its project dates and method.
TInstallmentReportData FeedInstallmentReport(const project::TProjectData& document,
                                             const std::vector<int>& positions, bool withOverview);

}  // namespace pc::reports
