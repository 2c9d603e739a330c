// Laying out the two reports on a page set-up and writing them: on any
// paged device (printer, preview) or into a PDF file.
#pragma once

#include <QPageLayout>
#include <QSizeF>
#include <QString>

#include "common/date_time.h"
#include "gui/reports/report_engine.h"
#include "reports/report_data.h"

class QPagedPaintDevice;

namespace pc::gui {

// A4 in the given orientation, without device margins (the reports keep
// their own).
QPageLayout ReportPageLayout(bool landscape);
// The paper of a page set-up in millimetres, orientation applied.
QSizeF PaperSizeMm(const QPageLayout& layout);

TReportPages LayOutIndexReport(const reports::TIndexReportData& data, const QPageLayout& layout, bool watermark,
                               TDateTime today);
TReportPages LayOutInstallmentReport(const reports::TInstallmentReportData& data, const QPageLayout& layout,
                                     bool watermark, TDateTime today);

// Draws every sheet on `device`, which must already have the page set-up;
// false when painting could not begin.
bool PaintReport(QPagedPaintDevice& device, const TReportPages& pages);

// Writes the sheets as a PDF file (300 dots per inch) in one step: the file
// appears whole or not at all. False with a Dutch reason in `error`.
bool WriteReportPdf(const TReportPages& pages, const QPageLayout& layout, const QString& path, QString& error);

}  // namespace pc::gui
