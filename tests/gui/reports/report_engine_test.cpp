// The report engine's layout of the two reports: sheets, column groups,
// italics for trend figures, the watermark and the page footer.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPdfWriter>
#include <QTemporaryDir>

#include "gui/reports/report_definitions.h"
#include "gui/reports/report_fonts.h"
#include "gui/reports/report_output.h"
#include "gui/support/gui_test_support.h"
#include "installments/calc_fixture.h"
#include "reports/report_feeds.h"
#include "reports/report_projects.h"

namespace pc::gui {
namespace {

reports::TIndexReportData IndexData(int components, bool trend = false) {
  project::TProjectData document;
  reports::testing::BuildReportProject(document, {components, 2, false, "Engine"});
  if (trend) {
    TComponentValues values = document.IndexTable->GetComponent(1);
    values.TrendKind = trend_kind::kFixedPercentage;
    values.TrendPercentage = 12;
    document.IndexTable->ClearFigure(1, document.IndexTable->MonthCount(), false);
    document.IndexTable->ChangeComponent(1, values);
  }
  return reports::FeedIndexReport(reports::ReportHeaderOf(document), *document.IndexTable);
}

TEST(ReportEngine, ColumnGroupsFollowThePaperWidth) {
  const auto data = IndexData(12);
  struct Case {
    bool landscape;
    int columns, sheets;
  };
  for (const Case c : {Case{false, 7, 2}, Case{true, 12, 1}}) {
    const QPageLayout layout = ReportPageLayout(c.landscape);
    const TBuiltReport built = BuildIndexReport(data, PaperSizeMm(layout), false, EncodeDate(2008, 5, 1));
    EXPECT_EQ(built.ColumnsPerPage, c.columns);
    const TReportPages pages = LayOutReport(built.Definition);
    ASSERT_EQ(pages.PageCount(), c.sheets) << c.landscape;
    EXPECT_TRUE(pages.PageTexts(c.sheets - 1).contains(QStringLiteral("Bestanddeel 12 (5,00%)")));
    EXPECT_TRUE(pages.PageTexts(c.sheets - 1).contains(QStringLiteral("Pagina %1 van %1").arg(c.sheets)));
    EXPECT_TRUE(pages.PageTexts(0).contains(QStringLiteral("Afgedrukt op 01 mei 2008")));
  }
  // Narrow paper still shows one column per sheet.
  const TBuiltReport narrow = BuildIndexReport(data, QSizeF(50, 297), false, 0);
  EXPECT_EQ(narrow.ColumnsPerPage, 1);
  EXPECT_EQ(LayOutReport(narrow.Definition).PageCount(), 12);
}

TEST(ReportEngine, TrendFiguresPrintInItalicsAndTheWarningShows) {
  const auto data = IndexData(1, true);
  ASSERT_TRUE(data.TrendUsed);
  const TReportPages pages = LayOutIndexReport(data, ReportPageLayout(false), false, 0);
  const QString last = QString::fromStdString(data.Rows.back().Cells[0].Text);
  bool found = false;
  for (const TPlacedText& text : pages.Pages[0].Texts) {
    if (text.Text == last) {
      found = true;
      EXPECT_TRUE(pages.Fonts[text.Font].Italic);
    }
    if (text.Text == QStringLiteral("januari, 2008")) {
      EXPECT_FALSE(pages.Fonts[text.Font].Italic);
    }
  }
  EXPECT_TRUE(found) << last.toStdString();
  EXPECT_TRUE(pages.PageTexts(0).contains(
      QStringLiteral("waarschuwing: Trend indexen gebruikt. (waarden zijn schuingedrukt)")));
}

TEST(ReportEngine, WatermarkOnEverySheetOfAConceptReportOnly) {
  project::TProjectData document;
  reports::testing::BuildReportProject(document, {3, 60, true, "Concept"});
  const auto data = reports::FeedInstallmentReport(document, {1, 2, 3}, true);
  for (const bool isConcept : {true, false}) {
    const TReportPages pages = LayOutInstallmentReport(data, ReportPageLayout(false), isConcept, 0);
    ASSERT_GT(pages.PageCount(), 3);
    for (const TPlacedPage& page : pages.Pages) EXPECT_EQ(page.Watermark, isConcept);
  }
}

TEST(ReportEngine, ASectionThatDoesNotFitSaysSoAndKeepsItsTotals) {
  testing_support::TTableBuilder tables(2007, 2007);
  const int position = tables.Add("Lonen", 40);
  tables.Figure(position, 2007, 1, 100);
  TTermijnConfig set(&tables.Table());
  set.SetProjectDates(EncodeDate(2007, 1, 1), EncodeDate(2007, 1, 1), EncodeDate(2007, 1, 1));
  for (int i = 0; i < 999; ++i)
    set.InsertInstallment("T" + std::to_string(i + 1), {}, 0, 100, EncodeDate(2007, 1, 1) + 119 + 120 * i);
  const auto data = reports::FeedInstallmentReport({}, tables.Table(), set, {position}, false);
  ASSERT_GT(data.Sections[0].DroppedLines, 0);
  const TReportPages pages = LayOutInstallmentReport(data, ReportPageLayout(false), false, 0);
  const QStringList last = pages.PageTexts(pages.PageCount() - 1);
  EXPECT_TRUE(last.contains(QStringLiteral("Totalen:")));
  EXPECT_TRUE(last.contains(QStringLiteral("Let op: %1 termijnen van Lonen (40,00%) passen niet in het rapport en "
                                           "zijn weggelaten; de totalen tellen ze wel mee.")
                                .arg(data.Sections[0].DroppedLines)))
      << last.join(QLatin1Char('|')).toStdString();
}

TEST(ReportEngine, TheProjectsPrintLogoReplacesTheProgramsOwn) {
  QImage image(20, 10, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  reports::TReportHeader header;
  EXPECT_TRUE(LogoImage(header).isNull());
  header.Logo = std::make_shared<const project::TPicture>(
      project::TPicture{project::PictureKind::Png, bytes.toStdString(), 20, 10});
  EXPECT_EQ(LogoImage(header).size(), QSize(20, 10));
  reports::TIndexReportData data = IndexData(1);
  data.Header = header;
  const TReportPages pages = LayOutIndexReport(data, ReportPageLayout(false), false, 0);
  EXPECT_EQ(pages.Logo.size(), QSize(20, 10));
  EXPECT_EQ(pages.Pages[0].Logos.size(), 1u);
  header.Logo = std::make_shared<const project::TPicture>(project::TPicture{project::PictureKind::Png, "kapot", 1, 1});
  EXPECT_TRUE(LogoImage(header).isNull());  // unreadable: the program's own logo
}

TEST(ReportEngine, FontsAreDejaVu) {
  EXPECT_TRUE(EnsureReportFonts());
  EXPECT_EQ(QFontInfo(ReportFont({8, false, true})).family(), QStringLiteral("DejaVu Sans"));
  EXPECT_TRUE(QFontInfo(ReportFont({8, false, true})).italic());
}

}  // namespace
}  // namespace pc::gui
