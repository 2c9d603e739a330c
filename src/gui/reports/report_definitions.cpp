#include "gui/reports/report_definitions.h"

#include <QByteArray>

#include "gui/reports/report_text.h"
#include "reports/report_connections.h"

namespace pc::gui {
namespace {

using reports::TReportConnection;

constexpr double kMarginX = 12;
constexpr int kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr int kCutLeft = Qt::AlignLeft | Qt::AlignVCenter;  // cut off at its width: clipped by the painter
const TReportFontSpec kNormal{8, false, false};
const TReportFontSpec kBold{8, true, false};
const TReportFontSpec kItalic{8, false, true};
// Column headers of the installment lines: a point smaller, so the longest
// ("Termijnbedrag", "Te verrekenen") fit their columns whole.
const TReportFontSpec kColumnHeader{7, true, false};
const QColor kShade(223, 235, 249);

int Col(const TReportConnection& c, const char* name) { return c.ColumnIndex(name); }

// Logo, title, the report's own header lines and the web address.
TReportBand HeaderBand(QSizeF page, const QString& title, double height) {
  TReportBand band;
  band.Name = QStringLiteral("pageHeader");
  band.Height = height;
  band.Logo = QRectF(kMarginX, 0, 40, 22);
  band.AddText(QStringLiteral("title"), QRectF(58, 0, page.width() - 58 - kMarginX - 45, 9), title, {15, true, false});
  band.Lines.push_back({QLineF(kMarginX, height - 2, page.width() - kMarginX, height - 2), 0.3});
  return band;
}

void AddLabelled(TReportBand& band, const QString& name, double x, double y, const QString& label, int column,
                 double labelWidth = 32, double valueWidth = 70) {
  band.AddText(name + QStringLiteral("Label"), QRectF(x, y, labelWidth, 5), label, kNormal);
  band.AddField(name, QRectF(x + labelWidth, y, valueWidth, 5), column, kBold);
}

TReportBand FooterBand(QSizeF page, TDateTime today) {
  TReportBand band;
  band.Name = QStringLiteral("pageFooter");
  band.Height = 8;
  band.Lines.push_back({QLineF(kMarginX, 1, page.width() - kMarginX, 1), 0.2});
  band.AddText(QStringLiteral("footerDate"), QRectF(kMarginX, 2, 80, 5),
               QStringLiteral("Afgedrukt op ") + ReportText(reports::ReportDateText(today)), {7, false, false});
  band.AddText(QStringLiteral("footerWww"), QRectF(page.width() / 2 - 30, 2, 60, 5),
               QString::fromLatin1(reports::kReportWebAddress), {7, false, false}, Qt::AlignCenter);
  band.AddText(QStringLiteral("footerPage"), QRectF(page.width() - kMarginX - 60, 2, 60, 5),
               QStringLiteral("Pagina {page} van {pages}"), {7, false, false}, kRight);
  return band;
}

// Adds the figure columns that fit the paper: a caption on the column
// header and the figure, plain or italic, on the detail band.
int AddFigureColumns(TReportPageDef& page, const TReportConnection& detail, double pageWidth) {
  TReportBand& header = *page.FindBand(QStringLiteral("colHeader"));
  TReportBand& details = *page.FindBand(QStringLiteral("Details"));
  const QRectF month = details.FindText(QStringLiteral("LPer"))->Rect;  // texts are added below
  const double x0 = kIndexFigureLeft;  // the left of "HVLine"
  const int k = reports::IndexColumnsPerPage(pageWidth, x0);
  const int capFirst = Col(detail, "cap0");
  const int colFirst = Col(detail, "col0");
  for (int p = 0; p < k; ++p) {
    const double x = x0 + 1 + p * 19;
    TBandText& caption = header.AddField(QStringLiteral("hLabel%1").arg(p), QRectF(x, 0, 17, header.Height),
                                         capFirst + p, kNormal, Qt::AlignLeft | Qt::AlignBottom | Qt::TextWordWrap);
    caption.Text = QStringLiteral("Col%1").arg(p);
    details.AddField(QStringLiteral("dLabel%1").arg(p), QRectF(x, month.top(), 17, month.height()),
                     colFirst + 2 * p, kNormal, kCutLeft);
    details.AddField(QStringLiteral("dLabelI%1").arg(p), QRectF(x, month.top(), 17, month.height()),
                     colFirst + 2 * p + 1, kItalic, kCutLeft);
  }
  return k;
}

}  // namespace

QImage LogoImage(const reports::TReportHeader& header) {
  if (!header.Logo || header.Logo->Empty()) return {};
  return QImage::fromData(QByteArray::fromStdString(header.Logo->Data));
}

TBuiltReport BuildIndexReport(const reports::TIndexReportData& data, QSizeF pageMm, bool watermark,
                              TDateTime today) {
  TBuiltReport built;
  auto main = reports::IndexMainConnection(data, today);
  // The detail connection is made once the columns per sheet are known.
  const int k = reports::IndexColumnsPerPage(pageMm.width(), kIndexFigureLeft);
  auto detail = reports::IndexDetailConnection(data, k);

  TReportDefinition& def = built.Definition;
  def.Name = QStringLiteral("index");
  def.Title = QStringLiteral("PrijsCorrectum index rapport");
  def.PageSize = pageMm;
  def.Logo = LogoImage(data.Header);
  def.PageFooter = FooterBand(pageMm, today);

  TReportPageDef page;
  page.Name = QStringLiteral("index.Page1");
  page.MainData = main.get();
  page.DetailData = detail.get();
  page.PageHeader = HeaderBand(pageMm, QStringLiteral("Indexcijfers"), 34);
  AddLabelled(page.PageHeader, QStringLiteral("opdrGvr"), 58, 11, QStringLiteral("Opdrachtgever:"), Col(*main, "opdrGvr"));
  AddLabelled(page.PageHeader, QStringLiteral("rapDate"), 58, 16, QStringLiteral("Datum rapport:"), Col(*main, "rapDate"));
  page.PageHeader.AddField(QStringLiteral("www"), QRectF(pageMm.width() - kMarginX - 45, 0, 45, 5), Col(*main, "www"),
                           {7, false, false}, kRight);
  page.PageHeader.AddField(QStringLiteral("Trend"), QRectF(58, 23, pageMm.width() - 58 - kMarginX, 5),
                           Col(*main, "Trend"), {8, false, true});

  TReportBand& header = page.ColumnHeader;
  header.Name = QStringLiteral("colHeader");
  header.Height = 12;
  header.Shade = QRectF(kMarginX, 0, pageMm.width() - 2 * kMarginX, 12);
  header.ShadeColor = kShade;
  header.AddText(QStringLiteral("hPer"), QRectF(kMarginX + 1, 0, 30, 12), QStringLiteral("Periode"), kBold,
                 Qt::AlignLeft | Qt::AlignBottom);
  header.Lines.push_back({QLineF(kIndexFigureLeft, 0, kIndexFigureLeft, 12), 0.2});

  TReportBand& details = page.Detail;
  details.Name = QStringLiteral("Details");
  details.Height = 4.2;
  details.AddField(QStringLiteral("LPer"), QRectF(kMarginX + 1, 0, kIndexFigureLeft - kMarginX - 2, 4.2),
                   Col(*detail, "periode"), kNormal);
  details.Lines.push_back({QLineF(kIndexFigureLeft, 0, kIndexFigureLeft, 4.2), 0.2, Qt::black});
  page.LastRowColumn = Col(*detail, "lastRow");
  page.NewSheetAfterGroup = true;
  page.Watermark = watermark;  // the component "watermark"
  def.Pages.push_back(std::move(page));

  built.ColumnsPerPage = AddFigureColumns(def.Pages.front(), *detail, pageMm.width());
  built.Connections.push_back(std::move(main));
  built.Connections.push_back(std::move(detail));
  return built;
}

namespace {

// The installment columns: field, header, share of the printable width, alignment.
struct TLineColumn {
  const char* Field;
  const char* Header;
  double Share;
  int Flags;
};
const TLineColumn kLineColumns[] = {
    {"termijn", "Termijnnaam", 29, kLeft},     {"startDatum", "Begindatum", 20, kRight},
    {"eindDatum", "Einddatum", 19, kRight},    {"dagen", "Dagen", 11, kRight},
    {"bedrag", "Termijnbedrag", 25, kRight},   {"bdPerc", "Aandeel", 14, kRight},
    {"bdBedrag", "Bestanddeel", 23, kRight},   {"corPerc", "Correctie", 18, kRight},
    {"corBedrag", "Te verrekenen", 27, kRight},
};

TReportBand InstallmentPageHeader(QSizeF page, const TReportConnection& main, const QString& title) {
  TReportBand band = HeaderBand(page, title, 30);
  AddLabelled(band, QStringLiteral("PrjName"), 58, 11, QStringLiteral("Project:"), Col(main, "PrjName"), 32, 100);
  AddLabelled(band, QStringLiteral("rapDate"), 58, 16, QStringLiteral("Datum rapport:"), Col(main, "rapDate"));
  band.AddField(QStringLiteral("www"), QRectF(page.width() - kMarginX - 45, 0, 45, 5), Col(main, "www"),
                {7, false, false}, kRight);
  band.AddField(QStringLiteral("Trend"), QRectF(58, 21, page.width() - 58 - kMarginX, 5), Col(main, "Trend"),
                {8, false, true});
  return band;
}

}  // namespace

TBuiltReport BuildInstallmentReport(const reports::TInstallmentReportData& data, QSizeF pageMm, bool watermark,
                                    TDateTime today) {
  TBuiltReport built;
  auto main = reports::InstallmentMainConnection(data, today);
  auto detail = reports::InstallmentDetailConnection(data);
  auto summary = reports::InstallmentSummaryConnection(data);

  TReportDefinition& def = built.Definition;
  def.Name = data.WithOverview ? QStringLiteral("termijnWithOverview") : QStringLiteral("termijn");
  def.Title = QStringLiteral("PrijsCorrectum termijn rapport");
  def.PageSize = pageMm;
  def.Logo = LogoImage(data.Header);
  def.PageFooter = FooterBand(pageMm, today);
  const double width = pageMm.width() - 2 * kMarginX;

  TReportPageDef page;
  page.Name = QStringLiteral("termijnPage");
  page.MainData = main.get();
  page.DetailData = detail.get();
  page.PageHeader = InstallmentPageHeader(pageMm, *main, QStringLiteral("Termijnoverzicht"));
  page.Watermark = watermark;

  TReportBand& group = page.GroupHeader;
  group.Name = QStringLiteral("groupHeader");
  group.Height = 24;
  group.AddText(QStringLiteral("bdnaamLabel"), QRectF(kMarginX, 1, 32, 6), QStringLiteral("Bestanddeel:"), {10, true, false});
  group.AddField(QStringLiteral("bdnaam"), QRectF(kMarginX + 32, 1, width - 32, 6), Col(*detail, "bdnaam"), {10, true, false});
  AddLabelled(group, QStringLiteral("opdrGev"), kMarginX, 8, QStringLiteral("Opdrachtgever:"), Col(*detail, "opdrGev"), 32, 60);
  AddLabelled(group, QStringLiteral("opdrNem"), kMarginX, 13, QStringLiteral("Opdrachtnemer:"), Col(*detail, "opdrNem"), 32, 60);
  const double right = kMarginX + width / 2 + 8;
  AddLabelled(group, QStringLiteral("aanbesteding"), right, 8, QStringLiteral("Aanbesteding:"), Col(*detail, "aanbesteding"), 34, 50);
  AddLabelled(group, QStringLiteral("peilDatum"), right, 13, QStringLiteral("Prijspeildatum:"), Col(*detail, "peilDatum"), 34, 50);
  AddLabelled(group, QStringLiteral("aanvang"), right, 18, QStringLiteral("Aanvang uitvoering:"), Col(*detail, "aanvang"), 34, 50);
  page.GroupColumn = Col(*detail, "bdnaam");

  TReportBand& header = page.ColumnHeader;
  header.Name = QStringLiteral("colHeader");
  header.Height = 6;
  header.Shade = QRectF(kMarginX, 0, width, 6);
  header.ShadeColor = kShade;
  TReportBand& lines = page.Detail;
  lines.Name = QStringLiteral("Details");
  lines.Height = 4.4;
  lines.BoldWhenColumn = Col(*detail, "termijn");
  double total = 0;
  for (const TLineColumn& c : kLineColumns) total += c.Share;
  double x = kMarginX;
  for (const TLineColumn& c : kLineColumns) {
    const double w = width * c.Share / total;
    header.AddText(QStringLiteral("h_") + QString::fromLatin1(c.Field), QRectF(x + 0.5, 0, w - 1, 6),
                   QString::fromLatin1(c.Header), kColumnHeader, c.Flags);
    lines.AddField(QString::fromLatin1(c.Field), QRectF(x + 0.5, 0, w - 1, 4.4), Col(*detail, c.Field), kNormal, c.Flags);
    x += w;
  }
  page.LastRowColumn = Col(*detail, "lastRow");
  page.GroupFooter.Name = QStringLiteral("groupFooter");
  page.GroupFooter.Height = 6;

  // Sections that did not fit say so at the end of the report.
  TReportBand& end = page.Summary;
  end.Name = QStringLiteral("termijnSummary");
  double y = 2;
  for (const reports::TReportSection& section : data.Sections) {
    if (section.DroppedLines <= 0) continue;
    end.AddText(QStringLiteral("notFitted"), QRectF(kMarginX, y, width, 5),
                QStringLiteral("Let op: %1 termijnen van %2 passen niet in het rapport en zijn weggelaten; "
                               "de totalen tellen ze wel mee.")
                    .arg(section.DroppedLines)
                    .arg(ReportText(section.Summary.Caption)),
                {8, true, false})
        .Color = QColor(160, 0, 0);
    y += 5;
  }
  end.Height = y > 2 ? y + 2 : 0;
  def.Pages.push_back(std::move(page));

  if (data.WithOverview) {
    TReportPageDef sum;
    sum.Name = QStringLiteral("termijnSumPage");
    sum.MainData = main.get();
    sum.DetailData = summary.get();
    sum.PageHeader = InstallmentPageHeader(pageMm, *main, QStringLiteral("Overzicht bestanddelen"));
    sum.Watermark = watermark;
    TReportBand& h = sum.ColumnHeader;
    h.Name = QStringLiteral("sumHeader");
    h.Height = 6;
    h.Shade = QRectF(kMarginX, 0, width, 6);
    h.ShadeColor = kShade;
    h.AddText(QStringLiteral("hNaam"), QRectF(kMarginX + 1, 0, 90, 6), QStringLiteral("Bestanddeel"), kBold);
    h.AddText(QStringLiteral("hBedrag"), QRectF(kMarginX + 100, 0, 35, 6), QStringLiteral("Bedrag"), kBold, kRight);
    h.AddText(QStringLiteral("hCor"), QRectF(kMarginX + 140, 0, 35, 6), QStringLiteral("Te verrekenen"), kBold, kRight);
    TReportBand& d = sum.Detail;
    d.Name = QStringLiteral("sumDetails");
    d.Height = 5;
    d.AddField(QStringLiteral("Naam"), QRectF(kMarginX + 1, 0, 95, 5), Col(*summary, "Naam"), kNormal);
    d.AddField(QStringLiteral("Bedrag"), QRectF(kMarginX + 100, 0, 35, 5), Col(*summary, "Bedrag"), kNormal, kRight);
    d.AddField(QStringLiteral("Cor"), QRectF(kMarginX + 140, 0, 35, 5), Col(*summary, "Cor"), kNormal, kRight);
    TReportBand& t = sum.Summary;
    t.Name = QStringLiteral("sumTotals");
    t.Height = 30;
    t.Lines.push_back({QLineF(kMarginX, 1, kMarginX + width, 1), 0.3});
    t.AddText(QStringLiteral("lTot"), QRectF(kMarginX + 1, 2, 95, 5), QStringLiteral("Totaal bestanddelen"), kBold);
    t.AddField(QStringLiteral("TotBedrag"), QRectF(kMarginX + 100, 2, 35, 5), Col(*main, "TotBedrag"), kBold, kRight);
    t.AddField(QStringLiteral("TotCor"), QRectF(kMarginX + 140, 2, 35, 5), Col(*main, "TotCor"), kBold, kRight);
    t.AddText(QStringLiteral("lTermijn"), QRectF(kMarginX + 1, 10, 95, 5), QStringLiteral("Totaal termijnbedragen"), kNormal);
    t.AddField(QStringLiteral("TotTermijn"), QRectF(kMarginX + 100, 10, 35, 5), Col(*main, "TotTermijn"), kNormal, kRight);
    t.AddText(QStringLiteral("lVarPerc"), QRectF(kMarginX + 1, 15, 95, 5),
              QStringLiteral("Aandeel bestanddelen in de termijnbedragen (%)"), kNormal);
    t.AddField(QStringLiteral("TotVarPerc"), QRectF(kMarginX + 100, 15, 35, 5), Col(*main, "TotVarPerc"), kNormal, kRight);
    t.AddText(QStringLiteral("lCorPerc"), QRectF(kMarginX + 1, 20, 95, 5),
              QStringLiteral("Te verrekenen ten opzichte van de bestanddelen (%)"), kNormal);
    t.AddField(QStringLiteral("TotCorPerc"), QRectF(kMarginX + 100, 20, 35, 5), Col(*main, "TotCorPerc"), kNormal, kRight);
    def.Pages.push_back(std::move(sum));
  }
  built.Connections.push_back(std::move(main));
  built.Connections.push_back(std::move(detail));
  built.Connections.push_back(std::move(summary));
  return built;
}

}  // namespace pc::gui
