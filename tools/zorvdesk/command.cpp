#include "command.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zorvdesk {
namespace {

// Built on first use, so registrations from any file's static initialisers land safely.
std::vector<Command>& table() {
  static std::vector<Command> commands;
  return commands;
}

}  // namespace

CommandRegistration::CommandRegistration(const Command& command) { table().push_back(command); }

std::vector<Command> registeredCommands() {
  std::vector<Command> commands = table();
  std::sort(commands.begin(), commands.end(),
            [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
  return commands;
}

int usageError(const Command& command, const std::string& text) {
  std::fprintf(stderr, "zorvdesk: %s\nusage: zorvdesk %s\n", text.c_str(), command.synopsis);
  return kUsage;
}

}  // namespace zorvdesk
