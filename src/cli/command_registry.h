// Sub-commands of prijscorrectum-cli. Each command lives in a file of its own
// and registers itself with a static CommandRegistration, so adding a command
// never touches the dispatcher.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace pc::cli {

// Exit statuses shared by every command.
enum class ExitCode : int {
  Ok = 0,
  Usage = 2,       // wrong or missing arguments
  FileError = 3,   // a file could not be read or written
  InvalidData = 4, // invalid JSON or a value out of range
};

// A command receives its own arguments (without the program and command name)
// and returns the process exit status.
using CommandFn = std::function<int(const std::vector<std::string>& args)>;

struct Command {
  std::string name;
  std::string usage;  // one line, shown by the general usage text
  CommandFn run;
};

// The registered commands, sorted by name.
const std::vector<Command>& Commands();

struct CommandRegistration {
  CommandRegistration(std::string name, std::string usage, CommandFn run);
};

}  // namespace pc::cli
