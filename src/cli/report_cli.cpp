#include "cli/report_cli.h"

#include <QGuiApplication>
#include <cstdlib>
#include <sstream>

#include "cli/command_registry.h"
#include "common/cp1252.h"
#include "common/date_time.h"
#include "common/text_routines.h"
#include "gui/reports/report_output.h"
#include "project/file_result.h"
#include "reports/report_feeds.h"

namespace pc::cli {
namespace {

constexpr int kOk = static_cast<int>(ExitCode::Ok);
constexpr int kUsage = static_cast<int>(ExitCode::Usage);
constexpr int kFileError = static_cast<int>(ExitCode::FileError);
constexpr int kInvalidData = static_cast<int>(ExitCode::InvalidData);

struct TReportArguments {
  std::string project, index, kind, components, output;
  bool landscape = false;
  bool overview = true;
  std::string problem;
};

TReportArguments Parse(const std::vector<std::string>& args) {
  TReportArguments a;
  auto value = [&](std::size_t& i, std::string& into) {
    if (i + 1 >= args.size()) {
      a.problem = "optie " + args[i] + " heeft een waarde nodig";
      return;
    }
    if (!into.empty()) a.problem = "optie " + args[i] + " staat er twee keer";
    into = args[++i];
  };
  for (std::size_t i = 0; i < args.size() && a.problem.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--report") value(i, a.kind);
    else if (arg == "--components") value(i, a.components);
    else if (arg == "--index") value(i, a.index);
    else if (arg == "-o" || arg == "--output") value(i, a.output);
    else if (arg == "--landscape") a.landscape = true;
    else if (arg == "--no-overview") a.overview = false;
    else if (arg.size() > 1 && arg[0] == '-') a.problem = "onbekende optie " + arg;
    else if (a.project.empty()) a.project = arg;
    else a.problem = "geef precies een projectbestand";
  }
  if (!a.problem.empty()) return a;
  if (a.project.empty()) a.problem = "geef een projectbestand";
  else if (a.kind != "index" && a.kind != "installments") a.problem = "--report moet index of installments zijn";
  else if (a.output.empty()) a.problem = "geef het PDF-bestand met -o";
  else if (!a.components.empty() && a.kind != "installments") a.problem = "--components hoort bij --report installments";
  return a;
}

int Usage(TCliContext& context, const std::string& problem) {
  *context.err << "prijscorrectum-cli: " << problem << "\nusage: prijscorrectum-cli " << kReportUsage << "\n";
  return kUsage;
}

// The positions of the named components ("Lonen,Staal"), or every component
// that takes part when no names are given.
bool ChosenPositions(const TBDConfig& table, const std::string& names, std::vector<int>& positions,
                     std::string& problem) {
  if (names.empty()) {
    for (int p = 1; p <= table.Count(); ++p)
      if (TakesPart(table.GetComponent(p))) positions.push_back(p);
    return true;
  }
  std::stringstream list(names);
  std::string name;
  while (std::getline(list, name, ',')) {
    const std::string wanted = Utf8ToCp1252(StripTrailing(StripLeading(name, ' '), ' '));
    if (wanted.empty()) continue;
    const int slot = table.FindComponent(wanted);
    if (slot == 0) {
      problem = "onbekend bestanddeel: " + Cp1252ToUtf8(wanted);
      return false;
    }
    const int position = table.PositionOf(slot);
    if (!TakesPart(table.GetComponent(position))) {
      problem = "bestanddeel " + Cp1252ToUtf8(wanted) + " telt niet mee in de berekening";
      return false;
    }
    positions.push_back(position);
  }
  return true;
}

}  // namespace

int RunReport(const std::vector<std::string>& args, TCliContext& context) {
  const TReportArguments a = Parse(args);
  if (!a.problem.empty()) return Usage(context, a.problem);

  TStreamMessages messages(*context.err);
  project::TScriptedMergeQuestions questions;
  project::TProjectServices services = context.services;
  services.Messages = &messages;
  services.Questions = &questions;
  project::TProjectData document(&services);
  if (!document.Open(a.project, a.index)) return kFileError;
  if (!a.index.empty() &&
      !project::FileResultSucceeded(project::TFileOperation::Read, document.LastIndexReadCode))
    return kFileError;
  if (!document.IndexTable || document.IndexTable->Count() == 0) {
    *context.err << "prijscorrectum-cli: het project heeft geen bestanddelen\n";
    return kInvalidData;
  }

  const QPageLayout layout = gui::ReportPageLayout(a.landscape);
  const TDateTime today = context.services.Today ? context.services.Today() : TodayLocal();
  gui::TReportPages pages;
  if (a.kind == "index") {
    const auto data = reports::FeedIndexReport(reports::ReportHeaderOf(document), *document.IndexTable);
    pages = gui::LayOutIndexReport(data, layout, document.Concept, today);
  } else {
    std::vector<int> positions;
    std::string problem;
    if (!ChosenPositions(*document.IndexTable, a.components, positions, problem)) {
      *context.err << "prijscorrectum-cli: " << problem << "\n";
      return kInvalidData;
    }
    const auto data = reports::FeedInstallmentReport(document, positions, a.overview);
    if (data.Sections.empty()) {
      *context.err << "prijscorrectum-cli: geen bestanddeel om af te drukken\n";
      return kInvalidData;
    }
    pages = gui::LayOutInstallmentReport(data, layout, document.Concept, today);
  }
  QString error;
  if (!gui::WriteReportPdf(pages, layout, QString::fromLocal8Bit(a.output.c_str()), error)) {
    *context.err << "prijscorrectum-cli: " << error.toStdString() << "\n";
    return kFileError;
  }
  return kOk;
}

int RunReportCommand(const std::vector<std::string>& args) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "prijscorrectum-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  TSystemEnvironment environment;
  TCliContext context = environment.Context();
  return RunReport(args, context);
}

}  // namespace pc::cli
