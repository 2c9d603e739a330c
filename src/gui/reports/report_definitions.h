// The program's two reports as definitions for the report engine: the
// index report ("index") and the installment report ("termijn", or
// "termijnWithOverview" with its summary page), for paper of a given size.
#pragma once

#include <QSizeF>
#include <memory>
#include <vector>

#include "common/date_time.h"
#include "gui/reports/report_engine.h"
#include "reports/report_data.h"

namespace pc::gui {

// A definition with the connections its bands read; the report data the
// connections read must outlive it.
struct TBuiltReport {
  TReportDefinition Definition;
  std::vector<std::unique_ptr<reports::TReportConnection>> Connections;
  int ColumnsPerPage = 0;  // index report: components per sheet
};

// Left edge of the index report's figure area ("HVLine"), millimetres.
inline constexpr double kIndexFigureLeft = 44;

TBuiltReport BuildIndexReport(const reports::TIndexReportData& data, QSizeF pageMm, bool watermark,
                              TDateTime today);
TBuiltReport BuildInstallmentReport(const reports::TInstallmentReportData& data, QSizeF pageMm,
                                    bool watermark, TDateTime today);

// The print logo of a report header as an image; null when the header has
// none or Qt cannot read it (the program's own logo is drawn then).
QImage LogoImage(const reports::TReportHeader& header);

}  // namespace pc::gui
