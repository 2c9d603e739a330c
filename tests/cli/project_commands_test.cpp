// The companion's project commands, in the same process and through the
// program itself.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "../project/project_test_support.h"
#include "cli/project_cli.h"
#include "cli/project_report.h"
#include "shell_command.h"

namespace pc::cli {
namespace {

using project::testing::Exists;
using project::testing::ReadBytes;
using project::testing::WriteBytes;

const std::string kExamples = PC_EXAMPLES_DIR;

class ProjectCommandsTest : public project::testing::ProjectFixture {
 protected:
  struct Run {
    int status = 0;
    std::string out;
    std::string err;
  };

  Run Command(int (*command)(const std::vector<std::string>&, TCliContext&),
              std::vector<std::string> args) {
    std::ostringstream out, err;
    TCliContext context;
    context.services.Settings = &settings_;
    context.services.Today = [] { return EncodeDate(2008, 3, 10); };
    context.out = &out;
    context.err = &err;
    Run run;
    run.status = command(args, context);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // The worked example as a project file (with its index file beside it).
  std::string WorkedExampleProject(const std::string& name = "Brug") {
    const std::string kvp = temp_.Path(name + ".kvp");
    const Run run = Command(RunImportJson, {kExamples + "/worked-example.json", kvp, "--index",
                                            temp_.Path(name + ".kvi")});
    EXPECT_EQ(run.status, 0) << run.err;
    return kvp;
  }
};

TEST_F(ProjectCommandsTest, CalcGivesTheWorkedExampleInEveryFormat) {
  const std::string kvp = WorkedExampleProject();
  const Run text = Command(RunCalc, {kvp});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_EQ(text.err, "");
  EXPECT_NE(text.out.find("Officiële berekeningsmethode"), std::string::npos);
  EXPECT_NE(text.out.find("Termijn 1      1-Feb-08  15-Mrt-08     44    € 10.000,00         € 100,45       € 100,45"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("Arbeid (40,00%)   € 4.000,00       € 100,45"), std::string::npos) << text.out;

  const Run csv = Command(RunCalc, {kvp, "--format", "csv"});
  ASSERT_EQ(csv.status, 0);
  EXPECT_EQ(csv.out,
            "Termijnnaam;Begindatum;Einddatum;Dagen;Termijnbedrag;Arbeid (40,00%);Te verrekenen\r\n"
            "Termijn 1;01-02-2008;15-03-2008;44;10000,00;100,45;100,45\r\n"
            "Totalen:;;;;10000,00;100,45;100,45\r\n");

  const Run json = Command(RunCalc, {kvp, "--format", "json"});
  ASSERT_EQ(json.status, 0);
  EXPECT_NE(json.out.find("\"correction\": 100.4545454545"), std::string::npos) << json.out;
  EXPECT_NE(json.out.find("\"amount_total\": 4000.0"), std::string::npos);
}

TEST_F(ProjectCommandsTest, SimplifiedMethodAndVariableComponents) {
  const std::string json = temp_.Path("v.json");
  WriteBytes(json, R"({"price_reference_date": "2008-01-15", "start_of_works": "2008-02-01",
    "calc_method": "simplified",
    "components": [
      {"name": "Arbeid", "percentage": 40, "figures": {"2008-01": 100, "2008-02": 102, "2008-03": 103.5}},
      {"name": "Staal", "variable": true, "figures": {"2008-01": 200, "2008-03": 220}}],
    "installments": [{"name": "Termijn 1", "end_date": "2008-03-15", "amount": 10000,
                      "component_amounts": {"staal": 4400}}]})");
  ASSERT_EQ(Command(RunImportJson, {json, temp_.Path("v.kvp")}).status, 0);
  const Run csv = Command(RunCalc, {temp_.Path("v.kvp"), "--format", "csv"});
  ASSERT_EQ(csv.status, 0) << csv.err;
  // Arbeid: 140,00 (the March figure for all days); Staal: 4400 x 10 % = 440,00.
  EXPECT_NE(csv.out.find("Termijn 1;01-02-2008;15-03-2008;44;10000,00;140,00;440,00;580,00\r\n"),
            std::string::npos)
      << csv.out;
}

TEST_F(ProjectCommandsTest, JsonToProjectToJsonIsUnchanged) {
  const std::string kvp = WorkedExampleProject();
  const Run run = Command(RunExportJson, {kvp});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, ReadBytes(kExamples + "/worked-example.json"));
}

TEST_F(ProjectCommandsTest, ShowTellsTheBinding) {
  const std::string kvp = WorkedExampleProject();
  const Run local = Command(RunShow, {kvp});
  ASSERT_EQ(local.status, 0) << local.err;
  EXPECT_NE(local.out.find("Koppeling:           lokaal (1)"), std::string::npos) << local.out;
  EXPECT_NE(local.out.find("Indexbestand:        " + temp_.Path("Brug.kvi")), std::string::npos);
  EXPECT_NE(local.out.find("Termijn 1    15-Mrt-08    € 10.000,00"), std::string::npos);
  std::filesystem::remove(temp_.Path("Brug.kvi"));
  // No index file anywhere: the default one is missing, the project's own
  // data is shown write-protected.
  const Run none = Command(RunShow, {kvp});
  ASSERT_EQ(none.status, 0);
  EXPECT_EQ(none.err, "Indices.kvi: Niet gevonden (code 3).\n");
  EXPECT_NE(none.out.find("geen, schrijfbeveiligd (2)"), std::string::npos);
}

TEST_F(ProjectCommandsTest, ExitStatusAndMessages) {
  const std::string kvp = WorkedExampleProject();
  const std::string out = temp_.Path("out.kvp");
  const struct {
    const char* name;
    int (*command)(const std::vector<std::string>&, TCliContext&);
    std::vector<std::string> args;
    int status;
    const char* err;  // start of the error text
  } cases[] = {
      {"calc without file", RunCalc, {}, 2, "prijscorrectum-cli: geef precies"},
      {"calc unknown option", RunCalc, {kvp, "--fromat", "csv"}, 2, "prijscorrectum-cli: onbekende optie --fromat"},
      {"calc unknown format", RunCalc, {kvp, "--format", "xml"}, 2, "prijscorrectum-cli: onbekend formaat xml"},
      {"calc option without value", RunCalc, {kvp, "--index"}, 2, "prijscorrectum-cli: optie --index heeft"},
      {"show two files", RunShow, {kvp, kvp}, 2, "prijscorrectum-cli: geef precies"},
      {"export extra option", RunExportJson, {kvp, "--index", "x"}, 2, "prijscorrectum-cli: onbekende optie"},
      {"import one file", RunImportJson, {kvp}, 2, "prijscorrectum-cli: geef een JSON"},
      {"calc missing project", RunCalc, {temp_.Path("Weg.kvp")}, 3, "Weg.kvp: Niet gevonden (code 3)."},
      {"calc missing index", RunCalc, {kvp, "--index", temp_.Path("Weg.kvi")}, 3, "Weg.kvi: Niet gevonden (code 3)."},
      {"calc index file as project", RunCalc, {temp_.Path("Brug.kvi")}, 3, "Brug.kvi: Foutief bestandsformaat (code 95)."},
      {"export missing", RunExportJson, {temp_.Path("Weg.kvp")}, 3, "Weg.kvp: Niet gevonden (code 3)."},
      {"import missing json", RunImportJson, {temp_.Path("weg.json"), out}, 3, "weg.json: Niet gevonden (code 3)."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Run run = Command(c.command, c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
    EXPECT_EQ(run.out, "");
  }
}

// Input that is no file, or far too large for a project, gets a message and
// an exit status; it never ends the program or fills the memory.
TEST_F(ProjectCommandsTest, ImportRefusesFoldersAndEndlessInput) {
  const struct {
    const char* name;
    std::string in;
    int status;
    std::string err;
  } cases[] = {
      {"folder", temp_.Folder(), 3, "Fout bij lezen (code 4)."},
      {"endless", "/dev/zero", 4, "zero: groter dan 64 MB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Run run = Command(RunImportJson, {c.in, temp_.Path("uit.kvp")});
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_FALSE(Exists(temp_.Path("uit.kvp")));
  }
}

// Two outputs are written in full before either old file is replaced, and
// one file cannot be both.
TEST_F(ProjectCommandsTest, ImportReplacesBothFilesOrNeither) {
  const std::string json = kExamples + "/worked-example.json";
  const std::string kvp = temp_.Path("Brug.kvp"), kvi = temp_.Path("Brug.kvi");
  WriteBytes(kvp, "old project");
  WriteBytes(kvi, "old index");

  Run run = Command(RunImportJson, {json, kvp, "--index", kvp});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("hetzelfde bestand"), std::string::npos) << run.err;
  run = Command(RunImportJson, {json, kvp, "--index", temp_.Folder() + "./sub/../Brug.kvp"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(ReadBytes(kvp), "old project");

  // The project cannot be written: the index file keeps its old contents.
  std::filesystem::permissions(kvp, std::filesystem::perms::owner_read);
  run = Command(RunImportJson, {json, kvp, "--index", kvi});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, "Brug.kvp: Fout bij schrijven (code 4).\n");
  EXPECT_EQ(ReadBytes(kvi), "old index");
  EXPECT_EQ(ReadBytes(kvp), "old project");
  std::filesystem::permissions(kvp, std::filesystem::perms::owner_all);

  run = Command(RunImportJson, {json, kvp, "--index", kvi});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(ReadBytes(kvi), "old index");
  EXPECT_NE(ReadBytes(kvp), "old project");
  std::size_t entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(temp_.Folder())) entries += e.is_regular_file();
  EXPECT_EQ(entries, 2u) << "no temporary file stays behind";

  // An output path that names no file is named whole in the message.
  run = Command(RunImportJson, {json, temp_.Folder()});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err, temp_.Folder() + ": Fout bij schrijven (code 4).\n");
}

TEST_F(ProjectCommandsTest, InvalidJsonWritesNothing) {
  const struct {
    const char* json;
    const char* err;
  } cases[] = {
      {"{\"components\": [", "bad.json: geen geldige JSON"},
      {R"({"components": [{"name": "A", "percentage": 101}]})",
       "bad.json: components[0].percentage: 101 ligt niet tussen 0 en 100"},
      {R"({"installments": [{"name": "T", "end_date": "2008-01-01"}], "start_of_works": "2009-01-01"})",
       "bad.json: installments[0].end_date: ligt voor de aanvang uitvoering"},
      {"\xFF\xFE{}", "bad.json: geen geldige JSON"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.json);
    WriteBytes(temp_.Path("bad.json"), c.json);
    const Run run = Command(RunImportJson, {temp_.Path("bad.json"), temp_.Path("bad.kvp"), "--index",
                                            temp_.Path("bad.kvi")});
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
    EXPECT_FALSE(Exists(temp_.Path("bad.kvp")));
    EXPECT_FALSE(Exists(temp_.Path("bad.kvi")));
  }
}

TEST_F(ProjectCommandsTest, UnwritableTargetIsAFileError) {
  WriteBytes(temp_.Path("blocker"), "x");
  const Run run = Command(RunImportJson, {kExamples + "/worked-example.json", temp_.Path("blocker/sub/x.kvp")});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err.rfind("x.kvp: Fout bij schrijven (code ", 0), 0u) << run.err;
}

// One flipped bit in the bundled project used to read a February figure of
// 102,125 and a correction of 103,75: the damage is reported instead.
TEST_F(ProjectCommandsTest, DamagedProjectFileIsRefused) {
  std::string bytes = ReadBytes(kExamples + "/worked-example.kvp");
  ASSERT_GT(bytes.size(), 149u);
  bytes[149] = static_cast<char>(bytes[149] ^ 0x40);
  const std::string kvp = temp_.Path("Beschadigd.kvp");
  WriteBytes(kvp, bytes);
  const Run run = Command(RunCalc, {kvp});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err.rfind("Beschadigd.kvp: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("(code 9)"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

// An output that takes only the first bytes, as a full disk does.
class FullOutput : public std::streambuf {
 public:
  explicit FullOutput(std::size_t room) : room_(room) {}
  std::string taken;

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (taken.size() >= room_) return traits_type::eof();
    taken.push_back(traits_type::to_char_type(c));
    return c;
  }

 private:
  std::size_t room_;
};

TEST_F(ProjectCommandsTest, OutputThatCannotBeWrittenIsAFailure) {
  const std::string kvp = WorkedExampleProject();
  const struct {
    const char* name;
    int (*command)(const std::vector<std::string>&, TCliContext&);
    std::vector<std::string> args;
  } cases[] = {
      {"export-json", RunExportJson, {kvp}},
      {"calc", RunCalc, {kvp}},
      {"calc csv", RunCalc, {kvp, "--format", "csv"}},
      {"show", RunShow, {kvp}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FullOutput full(64);
    std::ostream out(&full);
    std::ostringstream err;
    TCliContext context;
    context.services.Settings = &settings_;
    context.out = &out;
    context.err = &err;
    EXPECT_EQ(c.command(c.args, context), 3);
    EXPECT_EQ(err.str(), "prijscorrectum-cli: fout bij schrijven van de uitvoer\n");
    EXPECT_EQ(full.taken.size(), 64u);
  }
}

TEST(CsvTest, FieldsAndNumbers) {
  EXPECT_EQ(CsvField("Termijn 1"), "Termijn 1");
  EXPECT_EQ(CsvField("a;b"), "\"a;b\"");
  EXPECT_EQ(CsvField("zeg \"ja\""), "\"zeg \"\"ja\"\"\"");
  EXPECT_EQ(CsvNumber(1234567.891), "1234567,89");
  EXPECT_EQ(CsvNumber(-0.5), "-0,50");
}

// The program itself, as a user runs it, on a settings folder of its own.
class CompanionProgramTest : public ::testing::Test {
 protected:
  int Run(const std::string& args, std::string& out) {
    const std::string command = "env HOME=" + temp_.Folder() + " XDG_CONFIG_HOME=" + temp_.Folder() +
                                "config XDG_DATA_HOME=" + temp_.Folder() + "data " + PC_CLI_PATH + " " +
                                args + " 2>" + temp_.Path("err.txt");
    return testing::RunShellCommand(command, out);
  }
  project::testing::TempFolder temp_;
};

TEST_F(CompanionProgramTest, WorkedExampleFromJsonEndToEnd) {
  std::string out;
  ASSERT_EQ(Run("import-json " + kExamples + "/worked-example.json " + temp_.Path("w.kvp"), out), 0);
  ASSERT_EQ(Run("calc " + temp_.Path("w.kvp") + " --format csv", out), 0);
  EXPECT_NE(out.find("Termijn 1;01-02-2008;15-03-2008;44;10000,00;100,45;100,45"), std::string::npos) << out;
  ASSERT_EQ(Run("export-json " + temp_.Path("w.kvp"), out), 0);
  EXPECT_EQ(out, ReadBytes(kExamples + "/worked-example.json"));
  // The bundled project computes the same.
  ASSERT_EQ(Run("calc " + kExamples + "/worked-example.kvp --format csv", out), 0);
  EXPECT_NE(out.find("Termijn 1;01-02-2008;15-03-2008;44;10000,00;100,45;100,45"), std::string::npos) << out;
  EXPECT_EQ(ReadBytes(temp_.Path("err.txt")), "");
  EXPECT_EQ(Run("", out), 2);
  EXPECT_EQ(Run("calc", out), 2);
  // standard output on a full disk
  EXPECT_EQ(Run("export-json " + temp_.Path("w.kvp") + " >/dev/full", out), 3);
  EXPECT_EQ(ReadBytes(temp_.Path("err.txt")), "prijscorrectum-cli: fout bij schrijven van de uitvoer\n");
}

// A project too large for the file-size limit of the process: the save
// fails with its code, the program is not ended by a signal.
TEST_F(CompanionProgramTest, FileSizeLimitIsReportedAsAWriteError) {
  std::string json = ReadBytes(kExamples + "/worked-example.json");
  std::string installments;
  for (int n = 1; n <= 240; ++n) {
    char one[160];
    std::snprintf(one, sizeof one, "%s{\"name\": \"Termijn %d\", \"end_date\": \"%04d-%02d-15\", \"amount\": %d.%02d}",
                  n == 1 ? "" : ", ", n, 2008 + (n + 1) / 12, (n + 1) % 12 + 1, 1000 + n * 37, n % 100);
    installments += one;
  }
  const std::size_t from = json.find("\"installments\": [") + 17;
  json.replace(from, json.find(']', from) - from, installments);
  WriteBytes(temp_.Path("groot.json"), json);
  std::string out;
  ASSERT_EQ(Run("import-json " + temp_.Path("groot.json") + " " + temp_.Path("ruim.kvp"), out), 0)
      << ReadBytes(temp_.Path("err.txt"));
  const std::string command = "ulimit -f 4; exec " + std::string(PC_CLI_PATH) + " import-json " +
                              temp_.Path("groot.json") + " " + temp_.Path("klein.kvp") + " 2>" +
                              temp_.Path("err.txt");
  EXPECT_EQ(testing::RunShellCommand("env HOME=" + temp_.Folder() + " sh -c '" + command + "'", out), 3);
  EXPECT_EQ(ReadBytes(temp_.Path("err.txt")), "klein.kvp: Fout bij schrijven (code 5).\n");
  EXPECT_FALSE(std::filesystem::exists(temp_.Path("klein.kvp")));
}

}  // namespace
}  // namespace pc::cli
