// The data the two reports print: a header shared by both, the index
// report's month rows and the installment report's sections. Texts are
// Windows-1252, already formatted as they are printed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/date_time.h"
#include "project/picture.h"

namespace pc::reports {

// Most rows a report holds: month rows of the index report, lines of one
// section of the installment report.
inline constexpr int kMaxReportRows = 5000;

// Shared by both reports.
struct TReportHeader {
  std::string ProjectName;  // at most 50 characters
  std::string Client;       // "opdrachtgever", at most 50
  std::string Contractor;   // "opdrachtnemer", at most 50
  TDateTime PriceReferenceDate = 0;
  TDateTime StartOfWorks = 0;
  TDateTime TenderDate = 0;
  // The project's print logo; null when the program's own logo is printed.
  std::shared_ptr<const project::TPicture> Logo;
};

// How a figure of the index report came about.
enum class TFigureKind : std::uint8_t { Own = 0, CarriedForward = 1, Trend = 2 };

struct TIndexReportCell {
  std::string Text;  // two decimals with a decimal comma; empty for an empty month
  TFigureKind Kind = TFigureKind::Own;
};

struct TIndexReportRow {
  std::string Month;                    // "januari, 2008"
  std::vector<TIndexReportCell> Cells;  // one per component, in position order
};

struct TIndexReportData {
  TReportHeader Header;
  std::vector<std::string> Captions;  // one per component, in position order, at most 64 characters
  bool TrendUsed = false;
  std::vector<TIndexReportRow> Rows;  // at most kMaxReportRows
  int DroppedRows = 0;                // month rows that did not fit

  int Count() const { return static_cast<int>(Captions.size()); }
};

// One printed line of the installment report: an installment, one of its
// sub-periods, or the closing "Totalen:" line of a section.
struct TReportLine {
  enum class TKind : std::uint8_t { Installment = 0, SubPeriod = 1 };
  TKind Kind = TKind::Installment;
  std::string Name;             // termijn, 25
  std::string BeginDate;        // startDatum, 25
  std::string EndDate;          // eindDatum, 10
  std::string Days;             // dagen, 5
  std::string Amount;           // bedrag, 15
  std::string ComponentAmount;  // bdBedrag, 15
  std::string Correction;       // corBedrag, 15
  std::string Share;            // bdPerc, 8
  std::string Change;           // corPerc, 8
  double AmountValue = 0;
};

struct TComponentSummary {
  std::string Caption;          // at most 64
  std::string TotalAmountText;  // at most 15
  double TotalAmount = 0;
  std::string TotalCorrectionText;  // at most 15
  double TotalCorrection = 0;
  double InstallmentsTotal = 0;  // the sum of all installment amounts
};

// The report's part for one chosen component.
struct TReportSection {
  TComponentSummary Summary;
  std::vector<TReportLine> Lines;  // at most kMaxReportRows, the "Totalen:" line always last
  int DroppedLines = 0;            // installment lines that did not fit
};

struct TInstallmentReportData {
  TReportHeader Header;
  bool TrendUsed = false;
  bool WithOverview = false;  // a summary page follows the sections
  std::vector<TReportSection> Sections;
};

}  // namespace pc::reports
