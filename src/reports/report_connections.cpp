#include "reports/report_connections.h"

#include <algorithm>
#include <cmath>

#include "common/date_text.h"
#include "common/date_time.h"
#include "common/number_text.h"

namespace pc::reports {
namespace {

constexpr int kIndexColumnsMax = 50;

// A header connection: one row of values in column order.
class TSingleRow : public TReportConnection {
 public:
  int RowCount() const override { return 1; }
  std::string Value(int row, int column) const override {
    if (row != 0 || column < 0 || column >= static_cast<int>(values_.size())) return {};
    return values_[static_cast<std::size_t>(column)];
  }

 protected:
  std::vector<std::string> values_;
};

class TIndexMain final : public TSingleRow {
 public:
  TIndexMain(const TIndexReportData& data, TDateTime today) {
    columns_ = {"opdrGvr", "rapDate", "www", "logo", "Trend"};
    values_ = {data.Header.Client, ReportDateText(today), kReportWebAddress, "",
               data.TrendUsed ? kIndexTrendWarning : ""};
  }
};

class TIndexDetail final : public TReportConnection {
 public:
  TIndexDetail(const TIndexReportData& data, int columns)
      : data_(data), columns_per_page_(std::clamp(columns, 1, kIndexColumnsMax)) {
    columns_ = {"lastRow", "periode"};
    for (int j = 0; j < kIndexColumnsMax; ++j) columns_.push_back("cap" + std::to_string(j));
    for (int j = 0; j < kIndexColumnsMax; ++j) {
      columns_.push_back("col" + std::to_string(j));
      columns_.push_back("colI" + std::to_string(j));
    }
  }
  int RowCount() const override {
    const int months = static_cast<int>(data_.Rows.size());
    return months == 0 ? 0 : IndexColumnGroups(data_.Count(), columns_per_page_) * months;
  }
  std::string Value(int row, int column) const override {
    if (row < 0 || row >= RowCount() || column < 0) return {};
    const int months = static_cast<int>(data_.Rows.size());
    const int group = row / months;
    const TIndexReportRow& month = data_.Rows[static_cast<std::size_t>(row % months)];
    if (column == 0) return (row + 1) % months == 0 ? "1" : "0";
    if (column == 1) return month.Month;
    if (column < 2 + kIndexColumnsMax) {
      const int position = group * columns_per_page_ + (column - 2);
      return position < data_.Count() ? data_.Captions[static_cast<std::size_t>(position)] : std::string();
    }
    const int pair = column - 2 - kIndexColumnsMax;
    if (pair >= 2 * kIndexColumnsMax) return {};
    const int position = group * columns_per_page_ + pair / 2;
    if (position >= static_cast<int>(month.Cells.size())) return {};
    const TIndexReportCell& cell = month.Cells[static_cast<std::size_t>(position)];
    const bool italicColumn = pair % 2 == 1;
    return (cell.Kind == TFigureKind::Trend) == italicColumn ? cell.Text : std::string();
  }

 private:
  const TIndexReportData& data_;
  int columns_per_page_;
};

std::string Ratio(double part, double whole) {
  return FormatTwoDecimals(2, whole > 0 ? part / whole * 100 : 0);
}

class TInstallmentMain final : public TSingleRow {
 public:
  TInstallmentMain(const TInstallmentReportData& data, TDateTime today) {
    columns_ = {"PrjName", "rapDate", "www", "logo", "TotBedrag", "TotCor",
                "TotTermijn", "TotVarPerc", "TotCorPerc", "Trend"};
    double amount = 0;
    double correction = 0;
    for (const TReportSection& section : data.Sections) {
      amount += section.Summary.TotalAmount;
      correction += section.Summary.TotalCorrection;
    }
    const double installments = data.Sections.empty() ? 0 : data.Sections.back().Summary.InstallmentsTotal;
    values_ = {data.Header.ProjectName,
               ReportDateText(today),
               kReportWebAddress,
               "",
               FormatAmount(amount),
               FormatAmount(correction),
               FormatAmount(installments),
               Ratio(amount, installments),
               Ratio(correction, amount),
               data.TrendUsed ? kInstallmentTrendWarning : ""};
  }
};

class TInstallmentDetail final : public TReportConnection {
 public:
  explicit TInstallmentDetail(const TInstallmentReportData& data) : data_(data) {
    columns_ = {"opdrGev",  "opdrNem",    "aanbesteding", "peilDatum", "aanvang", "bdnaam",
                "termijn",  "startDatum", "eindDatum",    "dagen",     "bedrag",  "bdPerc",
                "bdBedrag", "corPerc",    "corBedrag",    "lastRow"};
    int first = 0;
    for (const TReportSection& section : data.Sections) {
      firstRow_.push_back(first);
      first += static_cast<int>(section.Lines.size());
    }
    rows_ = first;
    tender_ = ReportDateText(data.Header.TenderDate);
    reference_ = ReportDateText(data.Header.PriceReferenceDate);
    start_ = ReportDateText(data.Header.StartOfWorks);
  }
  int RowCount() const override { return rows_; }
  std::string Value(int row, int column) const override {
    if (row < 0 || row >= rows_) return {};
    const auto next = std::upper_bound(firstRow_.begin(), firstRow_.end(), row);
    const auto s = static_cast<std::size_t>(next - firstRow_.begin() - 1);
    const TReportSection& section = data_.Sections[s];
    const int index = row - firstRow_[s];
    const TReportLine& line = section.Lines[static_cast<std::size_t>(index)];
    switch (column) {
      case 0: return data_.Header.Client;
      case 1: return data_.Header.Contractor;
      case 2: return tender_;
      case 3: return reference_;
      case 4: return start_;
      case 5: return section.Summary.Caption;
      case 6: return line.Name;
      case 7: return line.BeginDate;
      case 8: return line.EndDate;
      case 9: return line.Days;
      case 10: return line.Amount;
      case 11: return line.Share;
      case 12: return line.ComponentAmount;
      case 13: return line.Change;
      case 14: return line.Correction;
      case 15: {
        const int count = static_cast<int>(section.Lines.size());
        return count >= 2 && index == count - 1 ? "1" : "0";
      }
      default: return {};
    }
  }

 private:
  const TInstallmentReportData& data_;
  std::vector<int> firstRow_;
  int rows_ = 0;
  std::string tender_, reference_, start_;
};

class TInstallmentSummary final : public TReportConnection {
 public:
  explicit TInstallmentSummary(const TInstallmentReportData& data) : data_(data) {
    columns_ = {"Naam", "Bedrag", "Cor"};
  }
  int RowCount() const override { return static_cast<int>(data_.Sections.size()); }
  std::string Value(int row, int column) const override {
    if (row < 0 || row >= RowCount()) return {};
    const TComponentSummary& s = data_.Sections[static_cast<std::size_t>(row)].Summary;
    switch (column) {
      case 0: return s.Caption;
      case 1: return s.TotalAmountText;
      case 2: return s.TotalCorrectionText;
      default: return {};
    }
  }

 private:
  const TInstallmentReportData& data_;
};

}  // namespace

std::string ReportDateText(TDateTime date) {
  const std::string stamp = DateStamp(date);  // "(20070705) 05 juli 2007"
  const auto close = stamp.find(") ");
  return close == std::string::npos ? std::string() : stamp.substr(close + 2);
}

int IndexColumnsPerPage(double pageWidthMm, double figureLeftMm) {
  const double room = (pageWidthMm - figureLeftMm - 18.0) / 19.0;
  if (std::isnan(room) || room < 1) return 1;
  return room >= kIndexColumnsMax ? kIndexColumnsMax : static_cast<int>(room);
}

int IndexColumnGroups(int componentCount, int columns) {
  if (componentCount <= 0) return 0;
  const int k = std::clamp(columns, 1, kIndexColumnsMax);
  return (componentCount - 1) / k + 1;
}

int TReportConnection::ColumnIndex(std::string_view name) const {
  const auto it = std::find(columns_.begin(), columns_.end(), name);
  return it == columns_.end() ? -1 : static_cast<int>(it - columns_.begin());
}

std::string TReportConnection::Value(int row, std::string_view name) const {
  return Value(row, ColumnIndex(name));
}

std::unique_ptr<TReportConnection> IndexMainConnection(const TIndexReportData& data, TDateTime today) {
  return std::make_unique<TIndexMain>(data, today);
}
std::unique_ptr<TReportConnection> IndexDetailConnection(const TIndexReportData& data, int columns) {
  return std::make_unique<TIndexDetail>(data, columns);
}
std::unique_ptr<TReportConnection> InstallmentMainConnection(const TInstallmentReportData& data,
                                                             TDateTime today) {
  return std::make_unique<TInstallmentMain>(data, today);
}
std::unique_ptr<TReportConnection> InstallmentDetailConnection(const TInstallmentReportData& data) {
  return std::make_unique<TInstallmentDetail>(data);
}
std::unique_ptr<TReportConnection> InstallmentSummaryConnection(const TInstallmentReportData& data) {
  return std::make_unique<TInstallmentSummary>(data);
}

}  // namespace pc::reports
