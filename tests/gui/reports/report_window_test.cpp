// The reports in the main window as a user works with them: preview of
// each report, paging and zooming, printer set-up, printing, saving as PDF
// and sending the PDF by e-mail.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTest>
#include <cstdio>

#include "common/date_text.h"
#include "gui/reports/print_bd_dialog.h"
#include "gui/reports/print_preview_frame.h"
#include "gui/reports/report_commands.h"
#include "gui/support/gui_test_support.h"
#include "reports/report_projects.h"

namespace pc::guitest {
namespace {

using gui::TFrmePrintPreview;
using gui::TReportCommands;

std::string RunCommand(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

std::string PdfText(const std::string& pdf) { return RunCommand("pdftotext -layout '" + pdf + "' - 2>/dev/null"); }

// The words of a text, one blank between them.
std::string Words(const std::string& text) {
  return QString::fromStdString(text).simplified().toStdString();
}

class ReportWindowTest : public ::testing::Test {
 protected:
  void Open(const std::string& kvp) {
    w_ = std::make_unique<TScriptedWindow>(std::vector<std::string>{kvp});
    w_->Window().resize(1100, 760);
    w_->Window().show();
    w_->Window().Seams().Mailer = &mailer_;
    commands_ = w_->Window().findChild<TReportCommands*>(QStringLiteral("ReportCommands"));
    ASSERT_NE(commands_, nullptr);
    commands_->SetComponentDialog([this](gui::TPrintBD& dialog) {
      ++componentDialogs_;
      return componentAnswer_ && dialog.CanContinue();
    });
  }
  void OpenExample() {
    const std::string kvp = home_.CopyExample("worked-example.kvp");
    home_.CopyExample("worked-example.kvi");
    Open(kvp);
  }
  std::string OpenTwelve(bool isConcept = false) {
    const std::string kvp = home_.File("twaalf.kvp");
    EXPECT_TRUE(reports::testing::WriteReportProject(kvp, home_.File("twaalf.kvi"), {12, 3, isConcept, "Twaalf"}));
    Open(kvp);
    return kvp;
  }
  TFrmePrintPreview* Preview() { return commands_->Preview(); }
  template <typename T>
  T* Control(const char* name) {
    return Preview()->findChild<T*>(QString::fromLatin1(name));
  }
  void Click(const char* name) {
    auto* button = Control<QPushButton>(name);
    ASSERT_NE(button, nullptr) << name;
    ASSERT_TRUE(button->isEnabled()) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }
  // The companion's PDF of the same project, as text.
  std::string CompanionText(const std::string& kvp, const char* report) {
    const std::string pdf = home_.File("companion.pdf");
    RunCommand("HOME='" + home_.Path().toStdString() + "' " PC_CLI_PATH " report '" + kvp + "' --report " + report +
        " -o '" + pdf + "' 2>/dev/null");
    return PdfText(pdf);
  }
  void TearDown() override {
    if (w_) {
      w_->messages.QueueDialogAnswer(TDialogAnswer::daNee);
      w_->Window().close();
    }
  }

  TTestHome home_;
  TRecordingMailer mailer_;
  std::unique_ptr<TScriptedWindow> w_;
  TReportCommands* commands_ = nullptr;
  bool componentAnswer_ = true;
  int componentDialogs_ = 0;
};

TEST_F(ReportWindowTest, IndexReportPreviewPagesZoomsAndCloses) {
  OpenTwelve();
  w_->Window().ShowIndexPage(true);
  w_->Trigger("ActPreview");
  ASSERT_NE(Preview(), nullptr);
  EXPECT_TRUE(w_->Window().PreviewMode());
  EXPECT_EQ(w_->Window().ClientStack()->currentWidget(), Preview());
  EXPECT_FALSE(w_->Window().Action("ActPreview")->isEnabled());
  // Twelve components on A4 upright: two column groups, one sheet each.
  ASSERT_EQ(Preview()->PageCount(), 2);
  EXPECT_TRUE(Preview()->Pages().PageTexts(1).contains(QStringLiteral("Bestanddeel 12 (5,00%)")));
  SaveScreenshot(&w_->Window(), QStringLiteral("report_index_preview"));

  EXPECT_FALSE(Control<QPushButton>("BtnPrev")->isEnabled());
  Click("BtnNext");
  EXPECT_EQ(Preview()->CurrentPage(), 2);
  EXPECT_FALSE(Control<QPushButton>("BtnNext")->isEnabled());
  Click("BtnPrev");
  EXPECT_EQ(Preview()->CurrentPage(), 1);

  auto* slider = Control<QSlider>("SliZoom");
  auto* label = Control<QLabel>("LZoom");
  struct Step {
    int slider;  // -1: a button instead
    const char* button;
    int before;
    int zoom;
  };
  const Step steps[] = {
      {0, nullptr, 0, 10},          {200, nullptr, 0, 210},        {90, nullptr, 0, 100},
      {-1, "BtnZoom", 100, 110},    {-1, "BtnUnzoom", 110, 100},   {-1, "BtnZoom", 205, 210},
      {-1, "BtnUnzoom", 15, 10},    {-1, "BtnUnzoom", 10, 10},     {-1, "BtnZoom", 210, 210},
  };
  for (const Step& s : steps) {
    if (s.slider >= 0) {
      slider->setValue(s.slider);
    } else {
      Preview()->SetZoom(s.before);
      Click(s.button);
    }
    EXPECT_NEAR(Preview()->Zoom(), s.zoom, 0.01) << (s.button ? s.button : "slider");
    EXPECT_EQ(slider->value(), s.zoom - 10);
    EXPECT_EQ(label->text(), QString::number(s.zoom) + QStringLiteral("%"));
  }
  Click("BtnPage");
  const double whole = Preview()->Zoom();
  Click("BtnPageW");
  EXPECT_GT(Preview()->Zoom(), whole);
  EXPECT_EQ(slider->value(), static_cast<int>(std::lround(Preview()->Zoom())) - 10);
  SaveScreenshot(&w_->Window(), QStringLiteral("report_index_preview_width"));

  Click("BtnClose");
  EXPECT_EQ(Preview(), nullptr);
  EXPECT_FALSE(w_->Window().PreviewMode());
  EXPECT_EQ(w_->Window().ClientStack()->currentIndex(), 0);
  EXPECT_TRUE(w_->Window().Action("ActPreview")->isEnabled());
}

TEST_F(ReportWindowTest, PdfFromThePreviewHasTheProposedNameAndEqualsTheCompanions) {
  const std::string kvp = OpenTwelve();
  w_->Window().ShowIndexPage(true);
  w_->Trigger("ActPreview");
  ASSERT_NE(Preview(), nullptr);
  const std::string pdf = home_.File("index-uit-venster.pdf");
  w_->files.QueueAnswer(pdf);
  Click("BtnPDF");
  ASSERT_FALSE(w_->files.ProposedNames.empty());
  EXPECT_EQ(w_->files.ProposedNames.back(), "twaalf " + DateStamp() + ".pdf");
  ASSERT_TRUE(QFile::exists(QString::fromStdString(pdf)));
  EXPECT_EQ(PdfText(pdf), CompanionText(kvp, "index"));

  // An existing file: "Nee" asks again, "Ja" overwrites.
  w_->files.QueueAnswer(pdf);
  w_->files.QueueAnswer(pdf);
  w_->messages.QueueAskAnswer(2);
  w_->messages.QueueAskAnswer(1);
  QFile::resize(QString::fromStdString(pdf), 0);
  Click("BtnPDF");
  EXPECT_EQ(w_->files.Titles.size(), 3u);
  EXPECT_GT(QFileInfo(QString::fromStdString(pdf)).size(), 0);

  // A folder that does not exist: the user is told, nothing is written.
  w_->messages.ClearCalls();
  w_->files.QueueAnswer(home_.File("geen/map/x.pdf"));
  Click("BtnPDF");
  ASSERT_EQ(w_->messages.Messages().size(), 1u);
  EXPECT_NE(w_->messages.Messages()[0].find("kan niet worden aangemaakt"), std::string::npos);
}

TEST_F(ReportWindowTest, InstallmentReportPreviewShowsTheWorkedExample) {
  OpenExample();
  w_->Window().ShowInstallmentsPage(true);
  componentAnswer_ = false;
  w_->Trigger("ActPreview");
  EXPECT_EQ(componentDialogs_, 1);
  EXPECT_EQ(Preview(), nullptr);  // cancelled: no report

  componentAnswer_ = true;
  w_->Trigger("ActPreview");
  ASSERT_NE(Preview(), nullptr);
  ASSERT_EQ(Preview()->PageCount(), 2);  // the section and the summary page
  const QStringList first = Preview()->Pages().PageTexts(0);
  for (const char* text : {"Voorbeeldproject", "100,45", "52,73", "47,73", "Totalen:"})
    EXPECT_TRUE(first.contains(QString::fromLatin1(text))) << text;
  SaveScreenshot(&w_->Window(), QStringLiteral("report_installments_preview"));

  const std::string pdf = home_.File("termijnen.pdf");
  w_->files.QueueAnswer(pdf);
  Click("BtnPDF");
  EXPECT_EQ(w_->files.ProposedNames.back(), "worked-example " + DateStamp() + ".pdf");
  EXPECT_EQ(PdfText(pdf), CompanionText(home_.File("worked-example.kvp"), "installments"));
}

TEST_F(ReportWindowTest, PrinterSetupToLandscapeShowsMoreColumnsAndPrintingPrintsThePreview) {
  OpenTwelve(true);
  w_->Window().ShowIndexPage(true);
  w_->Trigger("ActPreview");
  ASSERT_NE(Preview(), nullptr);
  ASSERT_EQ(Preview()->PageCount(), 2);
  commands_->SetPageSetupDialog([](QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    return true;
  });
  w_->Trigger("ActPrintSetup");
  ASSERT_NE(Preview(), nullptr);
  EXPECT_EQ(Preview()->PageCount(), 1);
  EXPECT_TRUE(Preview()->Pages().Pages[0].Watermark);
  SaveScreenshot(&w_->Window(), QStringLiteral("report_index_preview_landscape"));

  const std::string printed = home_.File("afgedrukt.pdf");
  commands_->SetPrintDialog([&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(printed));
    return true;
  });
  Click("BtnPrint");
  const std::string text = PdfText(printed);
  ASSERT_FALSE(text.empty());
  // Every text of the sheet on screen is printed (the captions wrap in two lines).
  for (const QString& line : Preview()->Pages().PageTexts(0)) {
    for (const QString& word : line.split(QLatin1Char(' ')))
      EXPECT_NE(text.find(word.toStdString()), std::string::npos) << word.toStdString();
  }
  QString error;
  const std::string pdf = home_.File("zelfde.pdf");
  ASSERT_TRUE(commands_->Module().WritePdf(QString::fromStdString(pdf), error));
  EXPECT_EQ(Words(text), Words(PdfText(pdf)));  // the layout of the text differs with the resolution
  EXPECT_EQ(RunCommand("pdfinfo '" + printed + "' | sed -n 's/^Page size:.*(\\(.*\\))/\\1/p'"), "A4\n");
  EXPECT_NE(RunCommand("pdfinfo '" + printed + "'").find("Pages:           1"), std::string::npos);
}

TEST_F(ReportWindowTest, SendPdfMailsTheReportOfNowFromAPrivateFolder) {
  OpenExample();
  w_->Window().ShowIndexPage(true);
  w_->Trigger("actSendPDF");
  ASSERT_EQ(mailer_.Sent.size(), 1u);
  const platform::TMailMessage mail = mailer_.Sent[0];
  EXPECT_EQ(mail.Subject, "Voorbeeldproject bestanddelen PDF");
  EXPECT_EQ(mail.Body, "Bij deze de gevraagde PDF");
  ASSERT_EQ(mail.Attachments.size(), 1u);
  EXPECT_TRUE(mailer_.AttachmentExisted[0]);
  const QString folder = commands_->LastMailFolder();
  EXPECT_TRUE(QString::fromStdString(mail.Attachments[0]).startsWith(folder + QStringLiteral("/worked-example (")));
  EXPECT_EQ(QFileInfo(folder).permissions() & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
  EXPECT_NE(PdfText(mail.Attachments[0]).find("103,50"), std::string::npos);

  // The installments page mails the installment report.
  w_->Window().ShowInstallmentsPage(true);
  w_->Trigger("actSendPDF");
  ASSERT_EQ(mailer_.Sent.size(), 2u);
  EXPECT_EQ(mailer_.Sent[1].Subject, "Voorbeeldproject termijnen PDF");
  EXPECT_NE(PdfText(mailer_.Sent[1].Attachments[0]).find("100,45"), std::string::npos);

  // A later send mails the figures of that moment, not the report of before.
  project::TProjectData& doc = w_->Window().History().Current();
  ASSERT_TRUE(doc.IndexTable->SetFigure(1, 3, false, 111.11));
  w_->Window().ShowIndexPage(true);
  w_->Trigger("actSendPDF");
  ASSERT_EQ(mailer_.Sent.size(), 3u);
  const std::string now = PdfText(mailer_.Sent[2].Attachments[0]);
  EXPECT_NE(now.find("111,11"), std::string::npos);
  EXPECT_EQ(now.find("103,50"), std::string::npos);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(mail.Attachments[0])));  // earlier attachments stay

  // No PDF, no mail: the user is told why.
  commands_->SetMailFolderRoot(home_.Path() + QStringLiteral("/bestaat/niet"));
  w_->Trigger("actSendPDF");
  EXPECT_EQ(mailer_.Sent.size(), 3u);
  ASSERT_FALSE(w_->messages.Messages().empty());
  EXPECT_NE(w_->messages.Messages().back().find("Fout bij het maken van het PDF-bestand"), std::string::npos);
}

TEST_F(ReportWindowTest, PrintActionsFollowThePage) {
  OpenExample();
  w_->Window().ShowIndexPage(true);
  EXPECT_TRUE(w_->Window().Action("ActPrint")->isEnabled());
  EXPECT_TRUE(w_->Window().Action("ActPreview")->isEnabled());
  w_->Window().ShowInstallmentsPage(true);
  EXPECT_TRUE(w_->Window().Action("ActPrint")->isEnabled());
  ASSERT_TRUE(w_->Window().Commands().NewProject(false));
  w_->Window().ShowInstallmentsPage(true);
  EXPECT_FALSE(w_->Window().Action("ActPrint")->isEnabled());  // no installments
  EXPECT_FALSE(w_->Window().Action("ActPreview")->isEnabled());
}

}  // namespace
}  // namespace pc::guitest
