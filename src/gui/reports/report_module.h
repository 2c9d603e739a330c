// TReportModule: holds the data of the report last fed, the watermark flag
// and the one page set-up that the preview, printing and PDF share, and
// renders the report to a printer, a PDF file or the preview's device.
#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <memory>

#include "gui/reports/report_engine.h"
#include "reports/report_data.h"

namespace pc::gui {

enum class TReportKind { Index, Installments };

class TReportModule {
 public:
  TReportModule();

  void SetIndexReport(reports::TIndexReportData data);
  void SetInstallmentReport(reports::TInstallmentReportData data);
  void SetWatermark(bool on) { watermark_ = on; }
  bool Watermark() const { return watermark_; }
  TReportKind Kind() const { return kind_; }

  // The shared page set-up: the printer the set-up dialog edits. Made at
  // the first use: making a printer loads the print system, which the
  // program's start need not wait for.
  QPrinter& Printer();
  // The printer's page set-up as the reports use it (no device margins).
  QPageLayout PageLayout() const;

  // The report fed last, laid out on `layout`.
  TReportPages LayOut(const QPageLayout& layout) const;
  // Draws the report on a printer (or the preview's printer) with that
  // printer's page set-up; false when painting could not begin.
  bool Print(QPrinter& printer) const;
  // Writes the report as PDF with the shared page set-up.
  bool WritePdf(const QString& path, QString& error) const;

 private:
  std::unique_ptr<QPrinter> printer_;
  TReportKind kind_ = TReportKind::Index;
  reports::TIndexReportData index_;
  reports::TInstallmentReportData installments_;
  bool watermark_ = false;
};

}  // namespace pc::gui
