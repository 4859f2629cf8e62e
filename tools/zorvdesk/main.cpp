// zorvdesk: answers questions about a ZORV installation through the desktop utility library.
//
//   zorvdesk --help
//   zorvdesk [-v|--verbose] COMMAND [ARGUMENTS...]
//   zorvdesk COMMAND --help
//
// Exit codes: 0 success, 1 the operation failed or answered no, 2 bad arguments.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "command.h"
#include "common/log_sink.h"

using namespace zorvdesk;

namespace {

void printHelp(std::FILE* out) {
  std::fprintf(out,
               "zorvdesk: the ZORV desktop's utility library on the command line\n"
               "usage: zorvdesk COMMAND [ARGUMENTS...]   (zorvdesk COMMAND --help for one)\n"
               "       zorvdesk -v COMMAND [ARGUMENTS...]   (or --verbose) then prints the "
               "library's\n"
               "       diagnostic lines of the run on stderr\n"
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

bool isVerbose(const char* word) {
  return std::strcmp(word, "-v") == 0 || std::strcmp(word, "--verbose") == 0;
}

// The library's log lines of this run, kept for -v: the tool writes no log file of its own.
std::vector<std::string>& logLines() {
  static std::vector<std::string> lines;
  return lines;
}

// Called from inside the library, which is built without exceptions: none may leave here.
void keepLogLine(const char* line) {
  try {
    logLines().emplace_back(line);
  } catch (const std::bad_alloc&) {
    // the line is lost, as the log loses one that cannot be written
  }
}

void printLogLines() {
  std::fflush(stdout);  // the command's own output comes first
  for (const std::string& line : logLines()) {
    const bool ended = !line.empty() && line.back() == '\n';
    std::fprintf(stderr, ended ? "%s" : "%s\n", line.c_str());
  }
}

// argv[0] is the command's name.
int runCommand(int argc, char** argv) {
  if (argc < 1) {
    printHelp(stderr);
    return kUsage;
  }
  if (isHelp(argv[0])) {
    printHelp(stdout);
    return kOk;
  }
  for (const Command& command : registeredCommands()) {
    if (std::strcmp(command.name, argv[0]) != 0) continue;
    if (argc == 2 && isHelp(argv[1])) {
      std::printf("usage: zorvdesk %s\n%s\n", command.synopsis, command.summary);
      return kOk;
    }
    return command.run(Arguments(argv + 1, argv + argc));
  }
  std::fprintf(stderr, "zorvdesk: unknown command '%s' (zorvdesk --help lists them)\n", argv[0]);
  return kUsage;
}

}  // namespace

int main(int argc, char** argv) {
  const bool verbose = argc > 1 && isVerbose(argv[1]);
  if (!verbose) return runCommand(argc - 1, argv + 1);
  setLogLineSink(keepLogLine);
  const int exitCode = runCommand(argc - 2, argv + 2);
  setLogLineSink(nullptr);
  printLogLines();
  return exitCode;
}
