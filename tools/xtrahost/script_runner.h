// Runs a parsed script against a loaded module and writes a transcript: each call with its
// arguments, the handlers the module calls back, and each call's result value and code.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "loaded_module.h"
#include "script_file.h"
#include "script_session.h"
#include "temporary_installation.h"

namespace xtrahost {

class ScriptRunner {
 public:
  ScriptRunner(LoadedModule& module, std::ostream& out);
  ~ScriptRunner();

  // Runs every command in order. Stops with false (after saying why, with the line number)
  // when a command cannot run: a call without an instance, a second new, a failed create.
  // An instance still alive at the end is given up; then a temporary installation goes.
  bool run(const std::vector<ScriptCommand>& commands);

 private:
  bool runNew(const ScriptCommand& command);
  bool runDestroy(const ScriptCommand& command);
  void defineHandler(const ScriptCommand& command);
  std::string textsJoined(const HostValue* args, std::int32_t argCount) const;
  TemporaryInstallation& installation();  // made by the first command that needs it
  bool install(const ScriptCommand& command);
  bool addWorld(const ScriptCommand& command);
  bool printStatistic(const ScriptCommand& command);
  bool runMethod(const ScriptCommand& command);
  HostValue valueOf(const ScriptArg& arg);
  bool refuse(const ScriptCommand& command, const std::string& why);
  void endSession();

  LoadedModule& module_;
  Values& values_;
  std::ostream& out_;
  std::unique_ptr<ScriptSession> session_;
  std::vector<std::string> handlers_;  // defined by the script; removed with the runner
  std::unique_ptr<TemporaryInstallation> installation_;  // outlives the instance
};

}  // namespace xtrahost
