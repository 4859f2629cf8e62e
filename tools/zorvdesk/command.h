// The command table of zorvdesk. A command file registers its commands with static
// CommandRegistration objects; main() finds them by name.
#pragma once

#include <string>
#include <vector>

namespace zorvdesk {

// Exit codes shared by every command.
enum ExitCode {
  kOk = 0,      // the command did what was asked
  kFailed = 1,  // the operation answered no, or failed
  kUsage = 2,   // bad arguments or unknown command
};

using Arguments = std::vector<std::string>;  // the words after the command's name

struct Command {
  const char* name;      // "world"
  const char* synopsis;  // "world" or "stat NAME [TEXT]"
  const char* summary;   // one line for --help
  int (*run)(const Arguments& args);
};

class CommandRegistration {
 public:
  explicit CommandRegistration(const Command& command);
};

// Every registered command, sorted by name.
std::vector<Command> registeredCommands();

// Prints "zorvdesk: <text>" and the command's synopsis on stderr; returns kUsage.
int usageError(const Command& command, const std::string& text);

}  // namespace zorvdesk
