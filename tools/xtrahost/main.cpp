// xtrahost: loads a module file as the host would, lists its classes, registers it, and runs
// an optional script of calls against one script instance.
//
//   xtrahost [--trace] <module file> [<script file>]
//
// Exit codes: 0 success, 1 usage or unreadable script file, 2 module not loadable,
// 3 class table or registration failed, 4 malformed script, 5 a script command failed.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "host_codes.h"
#include "loaded_module.h"
#include "message_table.h"
#include "report.h"
#include "script_file.h"
#include "script_runner.h"

using namespace xtrahost;

namespace {

enum ExitCode {
  kSuccess = 0,
  kUsage = 1,
  kNotLoadable = 2,
  kNotRegistered = 3,
  kMalformedScript = 4,
  kScriptFailed = 5
};

const char kUsageText[] =
    "usage: xtrahost [--trace] <module file> [<script file>]\n"
    "script commands, one per line (# starts a comment):\n"
    "  new | destroy                 create or give up the script instance\n"
    "  handler NAME [VALUE]          a script handler that prints its arguments and returns\n"
    "                                VALUE (or its first argument); 'joins' or 'fails' instead\n"
    "                                of VALUE joins its arguments' texts or fails\n"
    "  install \"FILE\" [\"NAME\"]       copy a GameModule into a temporary ZORV installation\n"
    "  world \"NAME\"                  make a world there (Desktops\\NAME\\NAME.dcr and the key\n"
    "                                HKLM\\SOFTWARE\\ZORV\\NAME) and make it the current world\n"
    "  stat \"NAME\"                   print the current world's game statistic NAME\n"
    "  METHOD ARG, ...               a method of the message table (\"text\", 12, #symbol, void, "
    "me)\n"
    "  call NUMBER ARG, ...          a method by number, with exactly these arguments\n";

struct Options {
  bool trace = false;
  std::string modulePath;
  std::string scriptPath;
};

bool parseOptions(int argc, char** argv, Options* options) {
  int i = 1;
  if (i < argc && std::string(argv[i]) == "--trace") {
    options->trace = true;
    ++i;
  }
  if (i >= argc || argc - i > 2) return false;
  options->modulePath = argv[i];
  if (i + 1 < argc) options->scriptPath = argv[i + 1];
  return true;
}

bool readFile(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  *text = all.str();
  return true;
}

// The message table that registration put, which names the script methods.
MessageTable registeredMessageTable(const Host& host) {
  const RegistryPut* put = host.registry.findPut("msgTable");
  return put != nullptr ? parseMessageTable(put->text()) : MessageTable{};
}

void printSummary(LoadedModule& module, std::ostream& out) {
  Host& host = module.host();
  out << "DllCanUnloadNow " << codeText(module.canUnloadNow()) << "\n"
      << "Allocator: " << host.allocator.requests().size() << " requests, "
      << host.allocator.failures() << " refused, " << host.allocator.frees() << " frees, "
      << host.allocator.liveBlocks() << " blocks live\n";
  for (const std::string& line : host.outstandingReferences()) {
    out << "warning: references not given back: " << line << "\n";
  }
  for (const std::string& line : host.referenceUnderflows()) {
    out << "error: released without a reference: " << line << "\n";
  }
}

int runHost(const Options& options) {
  std::string scriptText;
  if (!options.scriptPath.empty() && !readFile(options.scriptPath, &scriptText)) {
    std::cerr << "xtrahost: cannot read script file '" << options.scriptPath << "'\n";
    return kUsage;
  }
  Host host;
  if (options.trace)
    host.log.setSink([](const std::string& e) { std::cout << "  . " << e << "\n"; });
  LoadedModule module(host, options.modulePath);
  std::cout << "Module: " << options.modulePath << "\n";
  if (!printClassTable(module, std::cout)) {
    std::cerr << "xtrahost: the module's class table cannot be read\n";
    return kNotRegistered;
  }
  const XtraResult registered = printRegistration(module, std::cout);
  if (registered != xtra::kOk) {
    std::cerr << "xtrahost: registration failed with " << codeText(registered) << "\n";
    return kNotRegistered;
  }
  int result = kSuccess;
  if (!options.scriptPath.empty()) {
    std::vector<ScriptCommand> commands;
    ScriptError error;
    if (!parseScript(scriptText, registeredMessageTable(host), &commands, &error)) {
      std::cerr << options.scriptPath << ":" << error.line << ": " << error.message << "\n";
      return kMalformedScript;
    }
    std::cout << "Script: " << options.scriptPath << "\n";
    ScriptRunner runner(module, std::cout);
    if (!runner.run(commands)) result = kScriptFailed;
  }
  printSummary(module, std::cout);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, &options)) {
    std::cerr << kUsageText;
    return kUsage;
  }
  try {
    return runHost(options);
  } catch (const ModuleError& e) {
    std::cerr << "xtrahost: " << e.what() << "\n";
    return kNotLoadable;
  }
}
