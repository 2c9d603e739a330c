#include "gui/reports/report_module.h"

#include "common/date_time.h"
#include "gui/reports/report_output.h"

namespace pc::gui {

TReportModule::TReportModule() = default;

QPrinter& TReportModule::Printer() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setFullPage(true);
    printer_->setPageLayout(ReportPageLayout(false));
    printer_->setDocName(QStringLiteral("PrijsCorrectum rapport"));
  }
  return *printer_;
}

void TReportModule::SetIndexReport(reports::TIndexReportData data) {
  index_ = std::move(data);
  kind_ = TReportKind::Index;
}

void TReportModule::SetInstallmentReport(reports::TInstallmentReportData data) {
  installments_ = std::move(data);
  kind_ = TReportKind::Installments;
}

QPageLayout TReportModule::PageLayout() const {
  QPageLayout layout = printer_ ? printer_->pageLayout() : ReportPageLayout(false);
  layout.setMinimumMargins(QMarginsF(0, 0, 0, 0));
  layout.setMargins(QMarginsF(0, 0, 0, 0));
  return layout;
}

TReportPages TReportModule::LayOut(const QPageLayout& layout) const {
  const TDateTime today = TodayLocal();
  return kind_ == TReportKind::Index ? LayOutIndexReport(index_, layout, watermark_, today)
                                     : LayOutInstallmentReport(installments_, layout, watermark_, today);
}

bool TReportModule::Print(QPrinter& printer) const {
  printer.setFullPage(true);
  const TReportPages pages = LayOut(printer.pageLayout());
  printer.setDocName(pages.Title);
  return PaintReport(printer, pages);
}

bool TReportModule::WritePdf(const QString& path, QString& error) const {
  const QPageLayout layout = PageLayout();
  return WriteReportPdf(LayOut(layout), layout, path, error);
}

}  // namespace pc::gui
