// The project commands of prijscorrectum-cli: show, calc, import-json and
// export-json. Each takes its own arguments and two output streams (UTF-8)
// and returns the exit status (cli/command_registry.h). They never wait for
// a person: questions get the answer of a closed dialog, so an index file
// that lacks components of the project leaves the project's own index data
// in use, write-protected.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "common/messages.h"
#include "project/merge_questions.h"
#include "project/project_data.h"

namespace pc::cli {

// Messages of the core go to a stream, one UTF-8 line each; dialogs and
// questions are answered as if the window was closed.
class TStreamMessages : public TMessageUi {
 public:
  explicit TStreamMessages(std::ostream& err) : err_(err) {}
  TDialogAnswer ExecuteDialog(TDialogMode mode, const std::string& text1,
                              const std::string& text2) override;
  int Ask(const std::string& title, const std::string& text, const std::string& caption1,
          const std::string& caption2, const std::string& caption3, int width,
          int focusButton) override;
  void ShowMessage(const std::string& text) override;
  int Count() const { return count_; }

 private:
  std::ostream& err_;
  int count_ = 0;
};

// Everything a command works with. `services.Messages` and
// `services.Questions` are set by the command itself to stream messages to
// `err` and answer questions as a closed dialog; the rest (settings, today)
// comes from the caller.
struct TCliContext {
  project::TProjectServices services;
  std::ostream* out = nullptr;
  std::ostream* err = nullptr;
};

int RunShow(const std::vector<std::string>& args, TCliContext& context);
int RunCalc(const std::vector<std::string>& args, TCliContext& context);
int RunImportJson(const std::vector<std::string>& args, TCliContext& context);
int RunExportJson(const std::vector<std::string>& args, TCliContext& context);

// The services of this machine: the user's settings file (read only, never
// written) with its index folder, and the system clock. Kept alive for the
// whole command.
class TSystemEnvironment {
 public:
  TSystemEnvironment();
  ~TSystemEnvironment();
  TSystemEnvironment(const TSystemEnvironment&) = delete;
  TSystemEnvironment& operator=(const TSystemEnvironment&) = delete;
  // A context writing to standard output and standard error.
  TCliContext Context();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace pc::cli
