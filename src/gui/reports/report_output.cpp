#include "gui/reports/report_output.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "gui/reports/report_definitions.h"

namespace pc::gui {

QPageLayout ReportPageLayout(bool landscape) {
  return QPageLayout(QPageSize(QPageSize::A4), landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

QSizeF PaperSizeMm(const QPageLayout& layout) { return layout.fullRect(QPageLayout::Millimeter).size(); }

TReportPages LayOutIndexReport(const reports::TIndexReportData& data, const QPageLayout& layout, bool watermark,
                               TDateTime today) {
  const TBuiltReport built = BuildIndexReport(data, PaperSizeMm(layout), watermark, today);
  return LayOutReport(built.Definition);
}

TReportPages LayOutInstallmentReport(const reports::TInstallmentReportData& data, const QPageLayout& layout,
                                     bool watermark, TDateTime today) {
  const TBuiltReport built = BuildInstallmentReport(data, PaperSizeMm(layout), watermark, today);
  return LayOutReport(built.Definition);
}

bool PaintReport(QPagedPaintDevice& device, const TReportPages& pages) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (int page = 0; page < pages.PageCount(); ++page) {
    if (page > 0 && !device.newPage()) return false;
    PaintReportPage(painter, pages, page);
  }
  return painter.end();
}

bool WriteReportPdf(const TReportPages& pages, const QPageLayout& layout, const QString& path, QString& error) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    error = QStringLiteral("Het bestand \"%1\" kan niet worden aangemaakt: %2").arg(path, file.errorString());
    return false;
  }
  {
    QPdfWriter writer(&file);
    writer.setPageLayout(layout);
    writer.setResolution(300);
    writer.setTitle(pages.Title);
    writer.setCreator(QStringLiteral("PrijsCorrectum"));
    if (!PaintReport(writer, pages)) {
      file.cancelWriting();
      error = QStringLiteral("Het rapport kon niet als PDF worden getekend.");
      return false;
    }
  }
  if (!file.commit()) {
    error = QStringLiteral("Fout bij schrijven van het bestand \"%1\": %2").arg(path, file.errorString());
    return false;
  }
  return true;
}

}  // namespace pc::gui
