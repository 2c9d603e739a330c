// The installment report's sections, lines and totals, from the bundled
// worked example and from built sets.
#include <gtest/gtest.h>

#include "installments/calc_fixture.h"
#include "project/project_data.h"
#include "reports/report_connections.h"
#include "reports/report_feeds.h"

namespace pc::reports {
namespace {

using testing_support::Day;
using testing_support::OneAmount;
using testing_support::TTableBuilder;

class WorkedExampleReport : public ::testing::Test {
 protected:
  void SetUp() override {
    services_.Today = [] { return Day(2008, 4, 1); };
    ASSERT_TRUE(document_.Open(PC_EXAMPLES_DIR "/worked-example.kvp", PC_EXAMPLES_DIR "/worked-example.kvi"));
  }
  project::TProjectServices services_;
  project::TProjectData document_{&services_};
};

TEST_F(WorkedExampleReport, SectionShowsTheInstallmentItsSubPeriodsAndTotals) {
  const TInstallmentReportData data = FeedInstallmentReport(document_, {1}, true);
  EXPECT_EQ(data.Header.ProjectName, "Voorbeeldproject");
  ASSERT_EQ(data.Sections.size(), 1u);
  const TReportSection& section = data.Sections[0];
  EXPECT_EQ(section.Summary.Caption, "Arbeid (40,00%)");
  EXPECT_EQ(section.Summary.TotalCorrectionText, "100,45");
  EXPECT_EQ(section.Summary.TotalAmountText, "4.000,00");
  EXPECT_EQ(section.Summary.InstallmentsTotal, 10000.0);
  EXPECT_EQ(section.DroppedLines, 0);

  ASSERT_EQ(section.Lines.size(), 4u);
  const TReportLine& installment = section.Lines[0];
  EXPECT_EQ(installment.Kind, TReportLine::TKind::Installment);
  EXPECT_EQ(installment.Name, "Termijn 1");
  EXPECT_EQ(installment.BeginDate, "1-Feb-08");
  EXPECT_EQ(installment.EndDate, "15-Mrt-08");
  EXPECT_EQ(installment.Days, "44");
  EXPECT_EQ(installment.Amount, "10.000,00");
  EXPECT_EQ(installment.ComponentAmount, "4.000,00");
  EXPECT_EQ(installment.Correction, "100,45");
  EXPECT_EQ(installment.Share, "40,00%");
  EXPECT_EQ(installment.Change, "");
  EXPECT_EQ(section.Lines[1].Kind, TReportLine::TKind::SubPeriod);
  EXPECT_EQ(section.Lines[1].Correction, "52,73");
  EXPECT_EQ(section.Lines[1].Share, "");
  EXPECT_EQ(section.Lines[2].Correction, "47,73");
  EXPECT_EQ(section.Lines[3].Name, "Totalen:");
  EXPECT_EQ(section.Lines[3].Amount, "10.000,00");
  EXPECT_EQ(section.Lines[3].Correction, "100,45");

  const auto detail = InstallmentDetailConnection(data);
  ASSERT_EQ(detail->RowCount(), 4);
  EXPECT_EQ(detail->Value(0, "bdnaam"), "Arbeid (40,00%)");
  EXPECT_EQ(detail->Value(0, "opdrGev"), "Gemeente Voorbeeld");
  EXPECT_EQ(detail->Value(2, "corBedrag"), "47,73");
  EXPECT_EQ(detail->Value(2, "lastRow"), "0");
  EXPECT_EQ(detail->Value(3, "lastRow"), "1");
  EXPECT_EQ(detail->Value(0, "peilDatum"), "15 januari 2008");

  const auto main = InstallmentMainConnection(data, Day(2008, 4, 1));
  EXPECT_EQ(main->Value(0, "PrjName"), "Voorbeeldproject");
  EXPECT_EQ(main->Value(0, "rapDate"), "01 april 2008");
  EXPECT_EQ(main->Value(0, "TotCor"), "100,45");
  EXPECT_EQ(main->Value(0, "TotTermijn"), "10.000,00");
  EXPECT_EQ(main->Value(0, "TotVarPerc"), "40,00");
  EXPECT_EQ(main->Value(0, "TotCorPerc"), "2,51");
  const auto summary = InstallmentSummaryConnection(data);
  ASSERT_EQ(summary->RowCount(), 1);
  EXPECT_EQ(summary->Value(0, "Cor"), "100,45");
}

TEST_F(WorkedExampleReport, TheDocumentIsNotChangedByTheFeed) {
  document_.Recalculate(1, false);
  const double before = document_.Installments->CorrectionTotal(0);
  FeedInstallmentReport(document_, {1}, false);
  EXPECT_EQ(document_.Installments->CorrectionTotal(0), before);
  EXPECT_EQ(document_.Installments->ComputedComponent(), 1);
}

class BuiltSetReport : public ::testing::Test {
 protected:
  BuiltSetReport() : tables_(2007, 2012) {}
  TTableBuilder tables_;
};

TEST_F(BuiltSetReport, OnlyChosenComponentsThatTakePartGetASection) {
  tables_.Add("Lonen", 40);
  tables_.Add("Nul", 0);
  tables_.Add("Staal", 0, true);
  const auto choices = ReportComponentChoices(tables_.Table());
  ASSERT_EQ(choices.size(), 3u);
  EXPECT_TRUE(choices[0].Enabled);
  EXPECT_FALSE(choices[1].Enabled);
  EXPECT_TRUE(choices[2].Enabled);
  EXPECT_EQ(choices[2].Caption, "Staal ( var )");

  TTermijnConfig set(&tables_.Table());
  set.SetProjectDates(Day(2008, 1, 1), Day(2008, 1, 1), Day(2008, 1, 1));
  const TInstallmentReportData data = FeedInstallmentReport({}, tables_.Table(), set, {3, 2, 1, 7}, false);
  ASSERT_EQ(data.Sections.size(), 2u);
  EXPECT_EQ(data.Sections[0].Summary.Caption, "Lonen (40,00%)");
  EXPECT_EQ(data.Sections[1].Summary.Caption, "Staal ( var )");
  // No installments: only the closing line, and the ratios of nothing are 0,00.
  ASSERT_EQ(data.Sections[0].Lines.size(), 1u);
  EXPECT_EQ(data.Sections[0].Lines[0].Name, "Totalen:");
  const auto main = InstallmentMainConnection(data, 0);
  EXPECT_EQ(main->Value(0, "TotVarPerc"), "0,00");
  EXPECT_EQ(main->Value(0, "TotCorPerc"), "0,00");
  EXPECT_EQ(InstallmentDetailConnection(data)->Value(0, "lastRow"), "0");  // a one-line section
}

TEST_F(BuiltSetReport, ASectionThatDoesNotFitKeepsItsTotalsAndSaysHowMuchIsLeftOut) {
  const int position = tables_.Add("Lonen", 40);
  for (int month = 1; month <= 12; ++month) tables_.Figure(position, 2007, month, 100 + month);
  TTermijnConfig set(&tables_.Table());
  set.SetProjectDates(Day(2007, 1, 1), Day(2007, 1, 1), Day(2007, 1, 1));
  // 999 installments of 120 days: each lies in four or five months.
  for (int i = 0; i < 999; ++i)
    ASSERT_TRUE(set.InsertInstallment("T" + std::to_string(i + 1), {}, 0, 100, Day(2007, 1, 1) + 119 + 120 * i));
  set.Calculate(0);
  int lines = 0;
  for (int slot = 1; slot <= set.Count(); ++slot) lines += 1 + static_cast<int>(set.SubPeriods(slot).size());
  ASSERT_GT(lines + 1, kMaxReportRows);

  const TInstallmentReportData data = FeedInstallmentReport({}, tables_.Table(), set, {position}, false);
  const TReportSection& section = data.Sections.at(0);
  EXPECT_LE(section.Lines.size(), static_cast<std::size_t>(kMaxReportRows));
  EXPECT_GT(section.DroppedLines, 0);
  EXPECT_EQ(section.Lines.back().Name, "Totalen:");
  EXPECT_EQ(section.Lines.back().Amount, "99.900,00");  // totals of all installments, also those left out
}

}  // namespace
}  // namespace pc::reports
