// The report data as the report definitions read it: named columns and
// rows of texts. Five connections serve the two reports: the index report's
// header and figure table, the installment report's header and totals, its
// lines and its summary page. Columns are found by name once; rows are then
// read by number.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/date_time.h"
#include "reports/report_data.h"

namespace pc::reports {

// The maker's web address printed on every report.
inline constexpr const char* kReportWebAddress = "www.prijscorrectum.nl";
inline constexpr const char* kIndexTrendWarning =
    "waarschuwing: Trend indexen gebruikt. (waarden zijn schuingedrukt)";
inline constexpr const char* kInstallmentTrendWarning = "waarschuwing: Trend indexen gebruikt.";

// "05 juli 2007"; empty for a date that cannot be decoded.
std::string ReportDateText(TDateTime date);

// How many component columns of 19 mm fit on a page `pageWidthMm` wide
// whose figure area starts `figureLeftMm` from the left edge, keeping 18 mm
// free at the right: always 1..50, however narrow or wide the paper.
int IndexColumnsPerPage(double pageWidthMm, double figureLeftMm);
// How many column groups `componentCount` components need at `columns` per page.
int IndexColumnGroups(int componentCount, int columns);

class TReportConnection {
 public:
  virtual ~TReportConnection() = default;
  const std::vector<std::string>& Columns() const { return columns_; }
  // The column's number, or -1 when the connection has no such column.
  int ColumnIndex(std::string_view name) const;
  virtual int RowCount() const = 0;
  // The text of `column` in `row` (0-based); empty outside the table.
  virtual std::string Value(int row, int column) const = 0;
  // Value by column name (slower; for tests and single-row headers).
  std::string Value(int row, std::string_view name) const;

 protected:
  std::vector<std::string> columns_;
};

// ccIndexMain: opdrGvr, rapDate, www, logo, Trend (one row).
std::unique_ptr<TReportConnection> IndexMainConnection(const TIndexReportData& data, TDateTime today);
// ccIndexDetail: lastRow, periode, cap0..cap49, then col0, colI0, ..., col49,
// colI49; one row per month per column group of `columns` components.
std::unique_ptr<TReportConnection> IndexDetailConnection(const TIndexReportData& data, int columns);
// ccTermijnMain: PrjName, rapDate, www, logo, TotBedrag, TotCor, TotTermijn,
// TotVarPerc, TotCorPerc, Trend (one row).
std::unique_ptr<TReportConnection> InstallmentMainConnection(const TInstallmentReportData& data,
                                                             TDateTime today);
// ccTermijnDetail: one row per line of every section, in order.
std::unique_ptr<TReportConnection> InstallmentDetailConnection(const TInstallmentReportData& data);
// ccTermijnDetail2: Naam, Bedrag, Cor; one row per section.
std::unique_ptr<TReportConnection> InstallmentSummaryConnection(const TInstallmentReportData& data);


}  // namespace pc::reports
