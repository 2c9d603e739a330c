#include "platform/desktop_services.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

#include "common/cp1252.h"

extern char** environ;

namespace pc::platform {

int RunProgram(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (!WIFEXITED(status)) return -1;
  // The shell's "command not found" and "not executable" statuses.
  const int code = WEXITSTATUS(status);
  return code == 127 || code == 126 ? -1 : code;
}

TMailResult TXdgMailer::Send(const TMailMessage& message) {
  std::vector<std::string> args;
  args.push_back("--utf8");
  args.push_back("--subject");
  args.push_back(Cp1252ToUtf8(message.Subject));
  args.push_back("--body");
  args.push_back(Cp1252ToUtf8(message.Body));
  for (const std::string& file : message.Attachments) {
    args.push_back("--attach");
    args.push_back(file);
  }
  if (!message.Recipient.empty()) args.push_back(Cp1252ToUtf8(message.Recipient));
  // xdg-email: 0 success, 3 a required tool is missing, 4 the action failed.
  switch (RunProgram("xdg-email", args)) {
    case 0: return TMailResult::Sent;
    case -1:
    case 3: return TMailResult::NoMailProgram;
    default: return TMailResult::Failed;
  }
}

bool TXdgOpen::Open(const std::string& target) { return RunProgram("xdg-open", {target}) == 0; }

}  // namespace pc::platform
