// zorvdesk: answers questions about a ZORV installation through the desktop utility library.
//
//   zorvdesk --help
//   zorvdesk COMMAND [ARGUMENTS...]
//   zorvdesk COMMAND --help
//
// Exit codes: 0 success, 1 the operation failed or answered no, 2 bad arguments.
#include <cstdio>
#include <cstring>
#include <string>

#include "command.h"

using namespace zorvdesk;

namespace {

void printHelp(std::FILE* out) {
  std::fprintf(out,
               "zorvdesk: the ZORV desktop's utility library on the command line\n"
               "usage: zorvdesk COMMAND [ARGUMENTS...]   (zorvdesk COMMAND --help for one)\n"
               "\ncommands:\n");
  for (const Command& command : registeredCommands()) {
    std::fprintf(out, "  %-34s %s\n", command.synopsis, command.summary);
  }
  std::fprintf(out,
               "\nexit codes: 0 success, 1 the operation failed or answered no, 2 bad "
               "arguments\n");
}

bool isHelp(const char* word) {
  return std::strcmp(word, "--help") == 0 || std::strcmp(word, "-h") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    printHelp(stderr);
    return kUsage;
  }
  if (isHelp(argv[1])) {
    printHelp(stdout);
    return kOk;
  }
  for (const Command& command : registeredCommands()) {
    if (std::strcmp(command.name, argv[1]) != 0) continue;
    if (argc == 3 && isHelp(argv[2])) {
      std::printf("usage: zorvdesk %s\n%s\n", command.synopsis, command.summary);
      return kOk;
    }
    return command.run(Arguments(argv + 2, argv + argc));
  }
  std::fprintf(stderr, "zorvdesk: unknown command '%s' (zorvdesk --help lists them)\n", argv[1]);
  return kUsage;
}
