// prijscorrectum-cli report, run as a user runs it; the PDFs are read back
// with pdftotext and kept as PNG pages (pdftoppm) for a person to look at.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "cli/shell_command.h"
#include "reports/report_projects.h"

namespace pc::cli {
namespace {

namespace fs = std::filesystem;
using testing::RunShellCommand;

const std::string kCli = PC_CLI_PATH;
const std::string kExamples = PC_EXAMPLES_DIR;
const std::string kArtefacts = PC_REPORT_ARTEFACTS;

std::string Quote(const std::string& s) { return "'" + s + "'"; }

class ReportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/pc-report-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    fs::create_directories(kArtefacts);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the companion with HOME in the test folder; returns its status.
  int Report(const std::string& arguments, std::string* err = nullptr) {
    std::string out;
    const std::string errFile = dir_ + "/stderr.txt";
    const int status = RunShellCommand("HOME=" + Quote(dir_) + " XDG_CONFIG_HOME=" + Quote(dir_ + "/config") +
                                           " XDG_DATA_HOME=" + Quote(dir_ + "/data") + " " + kCli + " report " +
                                           arguments + " 2>" + Quote(errFile),
                                       out);
    if (err) RunShellCommand("cat " + Quote(errFile), *err);
    return status;
  }
  // The text of a page (0: of all), in reading order; with `raw` also the
  // turned text of the watermark, lines joined.
  static std::string PageText(const std::string& pdf, int page = 0, bool raw = false) {
    std::string text;
    const std::string range = page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    RunShellCommand(std::string("pdftotext ") + (raw ? "-raw" : "-layout") + range + " " + Quote(pdf) + " -", text);
    if (raw) std::erase(text, '\n');  // turned text comes a letter a line
    return text;
  }
  static int PageCount(const std::string& pdf) {
    std::string info;
    RunShellCommand("pdfinfo " + Quote(pdf) + " | sed -n 's/^Pages: *//p'", info);
    return std::atoi(info.c_str());
  }
  // Keeps the pages of `pdf` as PNGs under the build folder.
  static void KeepAsPng(const std::string& pdf, const std::string& name) {
    fs::copy_file(pdf, kArtefacts + "/" + name + ".pdf", fs::copy_options::overwrite_existing);
    std::string out;
    ASSERT_EQ(RunShellCommand("pdftoppm -r 70 -png " + Quote(pdf) + " " + Quote(kArtefacts + "/" + name), out), 0);
  }
  std::string Project(const reports::testing::TReportProjectSpec& spec, const std::string& name) {
    const std::string kvp = dir_ + "/" + name + ".kvp";
    EXPECT_TRUE(reports::testing::WriteReportProject(kvp, dir_ + "/" + name + ".kvi", spec));
    return Quote(kvp) + " --index " + Quote(dir_ + "/" + name + ".kvi");
  }
  std::string dir_;
};

TEST_F(ReportCommandTest, InstallmentReportOfTheWorkedExampleShowsItsCorrections) {
  const std::string pdf = dir_ + "/termijnen.pdf";
  ASSERT_EQ(Report(Quote(kExamples + "/worked-example.kvp") + " --index " + Quote(kExamples + "/worked-example.kvi") +
                   " --report installments -o " + Quote(pdf)),
            0);
  const std::string text = PageText(pdf);
  for (const char* expected : {"Voorbeeldproject", "Termijn 1", "100,45", "52,73", "47,73", "Totalen:",
                               "Arbeid (40,00%)", "Gemeente Voorbeeld", "Pagina 1 van 2", "Pagina 2 van 2"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  EXPECT_EQ(PageText(pdf, 0, true).find("CONCEPT"), std::string::npos);
  KeepAsPng(pdf, "worked-example-installments");
}

TEST_F(ReportCommandTest, IndexReportOfTheWorkedExampleListsTheMonths) {
  const std::string pdf = dir_ + "/index.pdf";
  ASSERT_EQ(Report(Quote(kExamples + "/worked-example.kvp") + " --index " + Quote(kExamples + "/worked-example.kvi") +
                   " --report index -o " + Quote(pdf)),
            0);
  const std::string text = PageText(pdf);
  for (const char* expected : {"januari, 2008", "maart, 2008", "100,00", "103,50", "Arbeid", "Pagina 1 van 1"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  KeepAsPng(pdf, "worked-example-index");
}

TEST_F(ReportCommandTest, TwelveComponentsTakeTwoColumnGroupsUprightAndOneInLandscape) {
  const std::string project = Project({12, 2, false, "Twaalf"}, "twaalf");
  const std::string portrait = dir_ + "/staand.pdf";
  const std::string landscape = dir_ + "/liggend.pdf";
  ASSERT_EQ(Report(project + " --report index -o " + Quote(portrait)), 0);
  ASSERT_EQ(Report(project + " --report index --landscape -o " + Quote(landscape)), 0);
  // 24 months fit on one sheet: one sheet per column group.
  EXPECT_EQ(PageCount(portrait), 2);
  EXPECT_EQ(PageCount(landscape), 1);
  const std::string first = PageText(portrait, 1);
  const std::string second = PageText(portrait, 2);
  // Captions wrap under "Bestanddeel": the number and share stand on their own line.
  EXPECT_NE(first.find("7 (5,00%)"), std::string::npos) << first;
  EXPECT_EQ(first.find("8 (5,00%)"), std::string::npos) << first;
  EXPECT_NE(second.find("12 (5,00%)"), std::string::npos) << second;
  EXPECT_NE(PageText(landscape).find("12 (5,00%)"), std::string::npos);
  KeepAsPng(portrait, "twelve-components-portrait");
  KeepAsPng(landscape, "twelve-components-landscape");
}

TEST_F(ReportCommandTest, AConceptProjectCarriesTheWatermarkOnEverySheet) {
  const std::string project = Project({12, 40, true, "Concept"}, "concept");
  const std::string pdf = dir_ + "/concept.pdf";
  ASSERT_EQ(Report(project + " --report installments --components 'bestanddeel 1, Bestanddeel 3' -o " + Quote(pdf)), 0);
  const int pages = PageCount(pdf);
  ASSERT_GE(pages, 3);
  for (int page = 1; page <= pages; ++page)
    EXPECT_NE(PageText(pdf, page, true).find("CONCEPT"), std::string::npos) << "page " << page;
  const std::string text = PageText(pdf);
  EXPECT_NE(text.find("Bestanddeel 3 (5,00%)"), std::string::npos);
  EXPECT_EQ(text.find("Bestanddeel 2 (5,00%)"), std::string::npos);
  KeepAsPng(pdf, "concept-installments");
}

TEST_F(ReportCommandTest, WrongInputIsRefusedWithoutAFile) {
  const std::string project = Project({3, 1, false, "Fout"}, "fout");
  struct Case {
    std::string arguments;
    int status;
    const char* message;
  };
  const std::string pdf = dir_ + "/out.pdf";
  const Case cases[] = {
      {project + " -o " + Quote(pdf), 2, "--report moet index of installments zijn"},
      {project + " --report index", 2, "geef het PDF-bestand met -o"},
      {project + " --report installments --components Onbekend -o " + Quote(pdf), 4, "onbekend bestanddeel: Onbekend"},
      {project + " --report index -o " + Quote(dir_ + "/geen/map/out.pdf"), 3, "kan niet worden aangemaakt"},
      {Quote(dir_ + "/weg.kvp") + " --report index -o " + Quote(pdf), 3, "weg.kvp"},
  };
  for (const Case& c : cases) {
    std::string err;
    EXPECT_EQ(Report(c.arguments, &err), c.status) << c.arguments;
    EXPECT_NE(err.find(c.message), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(pdf)) << c.arguments;
  }
}

}  // namespace
}  // namespace pc::cli
