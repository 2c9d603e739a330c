#include "cli/project_cli.h"

#include <filesystem>
#include <iostream>
#include <map>
#include <sstream>

#include "cli/command_registry.h"
#include "cli/project_report.h"
#include "common/cp1252.h"
#include "platform/environment.h"
#include "platform/file_read.h"
#include "platform/file_registry.h"
#include "platform/folders.h"
#include "platform/system_proxy.h"
#include "project/file_result.h"
#include "storage/staged_file_system.h"
#include "project/project_json.h"
#include "project/project_json_model.h"
#include "settings/kv_config.h"

namespace pc::cli {
namespace {

using project::TFileOperation;
using project::TProjectData;

constexpr int kOk = static_cast<int>(ExitCode::Ok);
constexpr int kUsage = static_cast<int>(ExitCode::Usage);
constexpr int kFileError = static_cast<int>(ExitCode::FileError);
constexpr int kInvalidData = static_cast<int>(ExitCode::InvalidData);

// Positional arguments and "--name value" options.
struct Arguments {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  std::string problem;  // empty when the arguments are well-formed
};

Arguments ParseArguments(const std::vector<std::string>& args,
                         std::initializer_list<std::string_view> knownOptions) {
  Arguments parsed;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      const std::string name = a.substr(2);
      if (std::find(knownOptions.begin(), knownOptions.end(), name) == knownOptions.end()) {
        parsed.problem = "onbekende optie " + a;
        return parsed;
      }
      if (i + 1 >= args.size()) {
        parsed.problem = "optie " + a + " heeft een waarde nodig";
        return parsed;
      }
      if (!parsed.options.emplace(name, args[++i]).second) {
        parsed.problem = "optie " + a + " staat er twee keer";
        return parsed;
      }
    } else {
      parsed.positional.push_back(a);
    }
  }
  return parsed;
}

int Usage(TCliContext& context, const std::string& problem, const char* usage) {
  *context.err << "prijscorrectum-cli: " << problem << "\nusage: prijscorrectum-cli " << usage
               << "\n";
  return kUsage;
}

std::string Option(const Arguments& a, const std::string& name) {
  const auto it = a.options.find(name);
  return it == a.options.end() ? std::string() : it->second;
}

// The services of a command: its own message and question handling on top
// of what the caller gave.
struct CommandServices {
  explicit CommandServices(TCliContext& context) : messages(*context.err) {
    services = context.services;
    services.Messages = &messages;
    services.Questions = &questions;
  }
  TStreamMessages messages;
  project::TScriptedMergeQuestions questions;  // no script: every dialog closed
  project::TProjectServices services;
};

// Opens a project with its index file for show and calc. Returns an exit
// status when the command must stop.
std::optional<int> OpenForReading(TProjectData& document, const std::string& path,
                                  const std::string& indexPath) {
  if (!document.Open(path, indexPath)) return kFileError;
  if (!indexPath.empty() &&
      !project::FileResultSucceeded(TFileOperation::Read, document.LastIndexReadCode))
    return kFileError;
  return std::nullopt;
}

// A full project is about 2 MB of JSON; anything far beyond is no project.
constexpr std::size_t kJsonInputLimit = 64u * 1024 * 1024;

// The end of a command that wrote its result: a result that did not reach
// its reader in full (a full disk, a closed file) is a failure.
int OutputWritten(TCliContext& context) {
  context.out->flush();
  if (*context.out) return kOk;
  *context.err << "prijscorrectum-cli: fout bij schrijven van de uitvoer\n";
  return kFileError;
}

// Whether two paths name the same file, whether or not it exists yet.
bool SameFile(const std::string& a, const std::string& b) {
  auto normal = [](const std::string& path, std::error_code& ec) {
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? std::filesystem::path(path) : std::filesystem::weakly_canonical(absolute, ec);
  };
  std::error_code ea, eb;
  const auto na = normal(a, ea), nb = normal(b, eb);
  if (ea || eb) return a == b;
  return na == nb;
}

int ReadError(TCliContext& context, const std::string& path, int code) {
  *context.err << Cp1252ToUtf8(project::FileResultMessage(TFileOperation::Read, code, path)) << "\n";
  return kFileError;
}

const char kShowUsage[] = "show FILE.kvp [--index FILE.kvi]";
const char kCalcUsage[] = "calc FILE.kvp [--index FILE.kvi] [--format text|csv|json]";
const char kImportUsage[] = "import-json IN.json OUT.kvp [--index OUT.kvi]";
const char kExportUsage[] = "export-json FILE.kvp";

}  // namespace

TDialogAnswer TStreamMessages::ExecuteDialog(TDialogMode mode, const std::string& text1,
                                             const std::string& text2) {
  (void)text2;
  if (mode == TDialogMode::dmMessage) ShowMessage(text1);
  return TDialogAnswer::daNone;
}

int TStreamMessages::Ask(const std::string& title, const std::string& text,
                         const std::string& caption1, const std::string& caption2,
                         const std::string& caption3, int width, int focusButton) {
  (void)title, (void)text, (void)caption1, (void)caption2, (void)caption3, (void)width,
      (void)focusButton;
  return 0;
}

void TStreamMessages::ShowMessage(const std::string& text) {
  ++count_;
  err_ << Cp1252ToUtf8(text) << "\n";
}

int RunShow(const std::vector<std::string>& args, TCliContext& context) {
  const Arguments a = ParseArguments(args, {"index"});
  if (!a.problem.empty()) return Usage(context, a.problem, kShowUsage);
  if (a.positional.size() != 1) return Usage(context, "geef precies een projectbestand", kShowUsage);
  CommandServices command(context);
  TProjectData document(&command.services);
  if (auto stop = OpenForReading(document, a.positional[0], Option(a, "index"))) return *stop;
  *context.out << ShowAsText(document);
  return OutputWritten(context);
}

int RunCalc(const std::vector<std::string>& args, TCliContext& context) {
  const Arguments a = ParseArguments(args, {"index", "format"});
  if (!a.problem.empty()) return Usage(context, a.problem, kCalcUsage);
  if (a.positional.size() != 1) return Usage(context, "geef precies een projectbestand", kCalcUsage);
  const std::string format = a.options.count("format") ? Option(a, "format") : "text";
  if (format != "text" && format != "csv" && format != "json")
    return Usage(context, "onbekend formaat " + format, kCalcUsage);
  CommandServices command(context);
  TProjectData document(&command.services);
  if (auto stop = OpenForReading(document, a.positional[0], Option(a, "index"))) return *stop;
  const TCalcTable table = ComputeCalcTable(document);
  if (format == "csv")
    *context.out << CalcAsCsv(table);
  else if (format == "json")
    *context.out << CalcAsJson(document, table);
  else
    *context.out << CalcAsText(document, table);
  return OutputWritten(context);
}

int RunImportJson(const std::vector<std::string>& args, TCliContext& context) {
  const Arguments a = ParseArguments(args, {"index"});
  if (!a.problem.empty()) return Usage(context, a.problem, kImportUsage);
  if (a.positional.size() != 2)
    return Usage(context, "geef een JSON-bestand en een projectbestand", kImportUsage);
  const std::string& in = a.positional[0];
  const std::string& out = a.positional[1];
  const std::string indexOut = Option(a, "index");
  if (!indexOut.empty() && SameFile(out, indexOut))
    return Usage(context, "het projectbestand en het indexbestand zijn hetzelfde bestand",
                 kImportUsage);

  std::string text;
  switch (platform::ReadFileLimited(in, kJsonInputLimit, text)) {
    case platform::FileReadResult::Ok:
      break;
    case platform::FileReadResult::TooLarge:
      *context.err << Cp1252ToUtf8(project::FileNameOf(in)) << ": groter dan "
                   << kJsonInputLimit / (1024 * 1024) << " MB, geen projectbestand in JSON\n";
      return kInvalidData;
    case platform::FileReadResult::Missing:
      return ReadError(context, in, 3);
    case platform::FileReadResult::OpenFailed:
      return ReadError(context, in, 4);
    case platform::FileReadResult::ReadFailed:
      return ReadError(context, in, 5);
  }

  const TDateTime today = DateOf(context.services.Today ? context.services.Today() : TodayLocal());
  auto parsed = project_json::ParseProject(text, today);
  if (auto* problem = std::get_if<project_json::JsonProblem>(&parsed)) {
    *context.err << Cp1252ToUtf8(project::FileNameOf(in)) << ": " << problem->Text() << "\n";
    return kInvalidData;
  }
  CommandServices command(context);
  // Both files are written in full before either replaces an old one.
  storage::StagedFileSystem staged;
  command.services.Files = &staged;
  TProjectData document(&command.services);
  if (auto problem =
          project_json::ToDocument(std::get<project_json::ProjectDescription>(parsed), document)) {
    *context.err << Cp1252ToUtf8(project::FileNameOf(in)) << ": " << Cp1252ToUtf8(*problem)
                 << "\n";
    return kInvalidData;
  }
  if (!indexOut.empty() && !document.SaveIndexFile(indexOut, false, false)) return kFileError;
  if (!document.SaveProjectFile(out)) return kFileError;
  const std::string failed = staged.CommitAll();
  if (!failed.empty()) {
    *context.err << Cp1252ToUtf8(project::FileResultMessage(TFileOperation::Write, 5, failed))
                 << "\n";
    return kFileError;
  }
  return kOk;
}

int RunExportJson(const std::vector<std::string>& args, TCliContext& context) {
  const Arguments a = ParseArguments(args, {});
  if (!a.problem.empty()) return Usage(context, a.problem, kExportUsage);
  if (a.positional.size() != 1)
    return Usage(context, "geef precies een projectbestand", kExportUsage);
  CommandServices command(context);
  TProjectData document(&command.services);
  if (!document.OpenProjectFile(a.positional[0])) return kFileError;
  *context.out << project_json::WriteProject(project_json::FromDocument(document));
  return OutputWritten(context);
}

struct TSystemEnvironment::Parts {
  Parts()
      : registry(platform::DefaultSettingsFile(platform::ProcessEnvironment()),
                 platform::XdgShellFolders(platform::ProcessEnvironment())),
        proxy(platform::ProcessEnvironment()),
        settings({registry, proxy, platform::ProgramFolder(), std::string()}) {
    settings.Load();
    if (settings.centralPath.empty()) settings.SetDefaultIndexFolder();
  }
  platform::FileRegistry registry;
  platform::EnvironmentProxy proxy;
  settings::TKVConfig settings;
};

TSystemEnvironment::TSystemEnvironment() : parts_(std::make_unique<Parts>()) {}
TSystemEnvironment::~TSystemEnvironment() = default;

TCliContext TSystemEnvironment::Context() {
  TCliContext context;
  context.services.Settings = &parts_->settings;
  context.out = &std::cout;
  context.err = &std::cerr;
  return context;
}

}  // namespace pc::cli
