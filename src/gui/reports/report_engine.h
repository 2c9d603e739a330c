// A small report engine on Qt's painting. A report definition (pages of
// bands with texts bound to the columns of a report connection) is laid out
// into pages of fixed band heights, in millimetres on paper of a given size;
// the laid-out pages are then drawn by QPainter on any paged device: a
// printer, a PDF writer or the print preview.
#pragma once

#include <QColor>
#include <QImage>
#include <QLineF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <vector>

#include "reports/report_connections.h"

class QPainter;

namespace pc::gui {

struct TReportFontSpec {
  double Points = 8;
  bool Bold = false;
  bool Italic = false;
  friend bool operator==(const TReportFontSpec&, const TReportFontSpec&) = default;
};

// A text on a band: fixed, or the value of a column of the band's connection.
struct TBandText {
  QString Name;
  QRectF Rect;  // millimetres from the band's top-left corner
  QString Text;
  int Column = -1;  // bound column; -1 for a fixed text
  TReportFontSpec Font;
  int Flags = Qt::AlignLeft | Qt::AlignVCenter;
  QColor Color = Qt::black;
  bool Visible = true;
};

struct TBandLine {
  QLineF Line;  // millimetres from the band's top-left corner
  double Width = 0.2;
  QColor Color = Qt::black;
};

struct TReportBand {
  QString Name;
  double Height = 0;  // millimetres; 0: the band is not printed
  std::vector<TBandText> Texts;
  std::vector<TBandLine> Lines;
  QRectF Shade;  // a filled background, when not empty
  QColor ShadeColor;
  QRectF Logo;  // where the report's logo goes, when not empty
  // The row is drawn bold when this column holds a text.
  int BoldWhenColumn = -1;

  TBandText* FindText(const QString& name);
  // Adds a fixed or a bound text and returns it.
  TBandText& AddText(const QString& name, const QRectF& rect, const QString& text, TReportFontSpec font,
                     int flags = Qt::AlignLeft | Qt::AlignVCenter);
  TBandText& AddField(const QString& name, const QRectF& rect, int column, TReportFontSpec font,
                      int flags = Qt::AlignLeft | Qt::AlignVCenter);
};

// One page of a report and the rows it runs over. Every page definition
// starts on a new sheet.
struct TReportPageDef {
  QString Name;
  const reports::TReportConnection* MainData = nullptr;    // the page header and summary read row 0
  const reports::TReportConnection* DetailData = nullptr;  // one detail band per row; null: none
  TReportBand PageHeader;    // on every sheet
  TReportBand Title;         // below the header on the first sheet only
  TReportBand GroupHeader;   // when GroupColumn changes, and again on a new sheet
  int GroupColumn = -1;
  TReportBand ColumnHeader;  // on every sheet with rows and after every group header
  TReportBand Detail;
  TReportBand GroupFooter;   // after a row whose LastRowColumn is "1"
  int LastRowColumn = -1;
  bool NewSheetAfterGroup = false;
  TReportBand Summary;       // after the last row
  bool Watermark = false;
  QString WatermarkText = QStringLiteral("CONCEPT");

  TReportBand* FindBand(const QString& name);
};

struct TReportDefinition {
  QString Name;   // "index", "termijn", "termijnWithOverview"
  QString Title;  // the document title of a PDF
  QSizeF PageSize{210, 297};  // millimetres
  double MarginTop = 10;
  double MarginBottom = 10;
  TReportBand PageFooter;  // bottom of every sheet; "{page}" and "{pages}" are filled in
  std::vector<TReportPageDef> Pages;
  QImage Logo;  // null: the program's own logo is drawn

  TReportPageDef* FindPage(const QString& name);
};

// A laid-out text: where, what, in which of the report's fonts.
struct TPlacedText {
  QRectF Rect;  // millimetres on the sheet
  QString Text;
  std::uint16_t Font = 0;
  int Flags = 0;
  QColor Color;
};

struct TPlacedPage {
  std::vector<TPlacedText> Texts;
  std::vector<TBandLine> Lines;  // on the sheet
  std::vector<std::pair<QRectF, QColor>> Shades;
  std::vector<QRectF> Logos;
  bool Watermark = false;
  QString WatermarkText;
};

struct TReportPages {
  QString Title;
  QSizeF PageSize;
  std::vector<TReportFontSpec> Fonts;
  std::vector<TPlacedPage> Pages;
  QImage Logo;

  int PageCount() const { return static_cast<int>(Pages.size()); }
  // Every text of a page, top to bottom (for tests and comparisons).
  QStringList PageTexts(int page) const;
};

// Lays the report out into sheets.
TReportPages LayOutReport(const TReportDefinition& definition);

// Draws one laid-out sheet on a painter whose origin is the sheet's
// top-left corner, in the device's own resolution.
void PaintReportPage(QPainter& painter, const TReportPages& pages, int page);

// The program's own logo, drawn into `rect` (device units).
void PaintDefaultLogo(QPainter& painter, const QRectF& rect);

}  // namespace pc::gui
