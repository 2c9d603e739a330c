// The index report's rows and its figure table of column groups.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "installments/calc_fixture.h"
#include "reports/report_connections.h"
#include "reports/report_feeds.h"

namespace pc::reports {
namespace {

using testing_support::TTableBuilder;

TTableBuilder TableOf(int components) {
  TTableBuilder builder(2008, 2008);
  for (int i = 1; i <= components; ++i) builder.Add("Bestanddeel " + std::to_string(i), 5);
  return builder;
}

TEST(IndexFeed, MonthRowsCarryFiguresWholeWithTheirKind) {
  TTableBuilder builder = TableOf(2);
  builder.Figures(1, {{2008, 1, 1234.56}, {2008, 3, 99999.99}});
  builder.Figures(2, {{2008, 2, 101.5}});
  const TIndexReportData data = FeedIndexReport({}, builder.Table());

  ASSERT_EQ(data.Count(), 2);
  EXPECT_EQ(data.Captions[0], "Bestanddeel 1 (5,00%)");
  ASSERT_EQ(data.Rows.size(), 12u);
  EXPECT_EQ(data.DroppedRows, 0);
  EXPECT_EQ(data.Rows[0].Month, "januari, 2008");
  EXPECT_EQ(data.Rows[11].Month, "december, 2008");
  struct Case {
    int row, position;
    const char* text;
    TFigureKind kind;
  };
  const Case cases[] = {
      {0, 1, "1234,56", TFigureKind::Own},             // not cut to six characters
      {1, 1, "1234,56", TFigureKind::CarriedForward},  // carries January's figure
      {2, 1, "99999,99", TFigureKind::Own},
      {0, 2, "", TFigureKind::Own},  // before the first figure: empty
      {1, 2, "101,50", TFigureKind::Own},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "row " << c.row << " position " << c.position);
    const TIndexReportCell& cell = data.Rows[static_cast<std::size_t>(c.row)].Cells[static_cast<std::size_t>(c.position - 1)];
    EXPECT_EQ(cell.Text, c.text);
    EXPECT_EQ(cell.Kind, c.kind);
  }
}

TEST(IndexFeed, TrendFiguresGoToTheItalicColumnOnly) {
  TTableBuilder builder(2008, 2008);
  builder.Add("Lonen", 50, false, 0, 0, trend_kind::kFixedPercentage, 12);
  builder.Figures(1, {{2008, 1, 100}});
  const TIndexReportData data = FeedIndexReport({}, builder.Table());
  ASSERT_TRUE(data.TrendUsed);
  EXPECT_EQ(data.Rows[1].Cells[0].Kind, TFigureKind::Trend);
  EXPECT_EQ(data.Rows[1].Cells[0].Text, "101,00");

  const auto detail = IndexDetailConnection(data, 8);
  EXPECT_EQ(detail->Value(0, "col0"), "100,00");
  EXPECT_EQ(detail->Value(0, "colI0"), "");
  EXPECT_EQ(detail->Value(1, "col0"), "");
  EXPECT_EQ(detail->Value(1, "colI0"), "101,00");
  EXPECT_EQ(IndexMainConnection(data, 0)->Value(0, "Trend"),
            "waarschuwing: Trend indexen gebruikt. (waarden zijn schuingedrukt)");
}

TEST(IndexFeed, TwelveComponentsOnTenColumnsGiveTwoGroups) {
  TTableBuilder builder = TableOf(12);
  builder.Figures(11, {{2008, 5, 120}});
  const TIndexReportData data = FeedIndexReport({}, builder.Table());
  const auto detail = IndexDetailConnection(data, 10);

  ASSERT_EQ(detail->RowCount(), 24);
  EXPECT_EQ(detail->Columns().size(), 2u + 50 + 100);
  EXPECT_EQ(detail->Columns()[52], "col0");
  EXPECT_EQ(detail->Columns()[53], "colI0");
  EXPECT_EQ(detail->Value(0, "cap9"), "Bestanddeel 10 (5,00%)");
  EXPECT_EQ(detail->Value(12, "cap0"), "Bestanddeel 11 (5,00%)");
  EXPECT_EQ(detail->Value(12, "cap1"), "Bestanddeel 12 (5,00%)");
  EXPECT_EQ(detail->Value(12, "cap2"), "");
  EXPECT_EQ(detail->Value(12 + 4, "col0"), "120,00");
  EXPECT_EQ(detail->Value(12 + 4, "periode"), "mei, 2008");
  for (int row = 0; row < 24; ++row)
    EXPECT_EQ(detail->Value(row, "lastRow"), row == 11 || row == 23 ? "1" : "0") << row;
}

TEST(IndexFeed, ColumnsPerPageStayWithinOneToFifty) {
  struct Case {
    double width, left;
    int columns;
  };
  const Case cases[] = {
      {210, 30, 8},   // A4 portrait
      {297, 30, 13},  // A4 landscape
      {40, 30, 1},    // narrower than one column
      {-5, 30, 1},
      {5000, 30, 50},
      {std::numeric_limits<double>::quiet_NaN(), 30, 1},
      {std::numeric_limits<double>::infinity(), 30, 50},
  };
  for (const Case& c : cases) EXPECT_EQ(IndexColumnsPerPage(c.width, c.left), c.columns) << c.width;
  EXPECT_EQ(IndexColumnGroups(12, 8), 2);
  EXPECT_EQ(IndexColumnGroups(12, 13), 1);
  EXPECT_EQ(IndexColumnGroups(12, 0), 12);  // held to one column at least
  EXPECT_EQ(IndexColumnGroups(0, 8), 0);
}

TEST(IndexFeed, ReportDateTextHasATwoDigitDay) {
  EXPECT_EQ(ReportDateText(EncodeDate(2007, 7, 5)), "05 juli 2007");
  EXPECT_EQ(ReportDateText(EncodeDate(2008, 12, 31) + 0.75), "31 december 2008");
}

}  // namespace
}  // namespace pc::reports
