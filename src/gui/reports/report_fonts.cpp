#include "gui/reports/report_fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace pc::gui {

bool EnsureReportFonts() {
  static const bool found = [] {
    bool any = false;
    for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                             "DejaVuSans-BoldOblique.ttf"}) {
      const QString path = QStringLiteral("/usr/share/fonts/truetype/dejavu/") + QString::fromLatin1(file);
      if (QFile::exists(path) && QFontDatabase::addApplicationFont(path) >= 0) any = true;
    }
    return any;
  }();
  return found;
}

QFont ReportFont(const TReportFontSpec& spec) {
  EnsureReportFonts();
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(spec.Points);
  font.setBold(spec.Bold);
  font.setItalic(spec.Italic);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setKerning(false);
  return font;
}

}  // namespace pc::gui
