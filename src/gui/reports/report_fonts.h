// The report fonts: DejaVu Sans from the program's font package, so that
// a report looks the same on every machine.
#pragma once

#include <QFont>

#include "gui/reports/report_engine.h"

namespace pc::gui {

// Registers the DejaVu Sans files with Qt once; false when none was found
// (Qt's default sans-serif font is used then).
bool EnsureReportFonts();
QFont ReportFont(const TReportFontSpec& spec);

}  // namespace pc::gui
