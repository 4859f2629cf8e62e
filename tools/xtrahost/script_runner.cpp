#include "script_runner.h"

#include <optional>
#include <stdexcept>

#include "host_codes.h"

namespace xtrahost {

namespace {

std::string joined(const Values& values, const HostValue* args, std::int32_t count) {
  std::string text;
  for (std::int32_t i = 0; i < count; ++i) text += (i ? ", " : "") + values.describe(args[i]);
  return text;
}

}  // namespace

ScriptRunner::ScriptRunner(LoadedModule& module, std::ostream& out)
    : module_(module), values_(module.host().values), out_(out) {}

ScriptRunner::~ScriptRunner() {
  endSession();
  installation_.reset();
  for (const std::string& name : handlers_) module_.host().engine.removeHandler(name);
}

bool ScriptRunner::refuse(const ScriptCommand& command, const std::string& why) {
  out_ << "line " << command.line << ": error: " << why << "\n";
  return false;
}

bool ScriptRunner::run(const std::vector<ScriptCommand>& commands) {
  for (const ScriptCommand& command : commands) {
    bool ok = true;
    switch (command.kind) {
      case ScriptCommand::Kind::New:
        ok = runNew(command);
        break;
      case ScriptCommand::Kind::Destroy:
        ok = runDestroy(command);
        break;
      case ScriptCommand::Kind::Handler:
        defineHandler(command);
        break;
      case ScriptCommand::Kind::Install:
        ok = install(command);
        break;
      case ScriptCommand::Kind::World:
        ok = addWorld(command);
        break;
      case ScriptCommand::Kind::Stat:
        ok = printStatistic(command);
        break;
      case ScriptCommand::Kind::Method:
        ok = runMethod(command);
        break;
    }
    if (!ok) return false;
  }
  if (session_) out_ << "end of script: the instance is given up\n";
  endSession();
  if (installation_) out_ << "end of script: the temporary installation is removed\n";
  installation_.reset();
  return true;
}

bool ScriptRunner::runNew(const ScriptCommand& command) {
  if (session_) return refuse(command, "an instance exists already; destroy it first");
  session_ = std::make_unique<ScriptSession>(module_);
  out_ << "line " << command.line << ": new -> " << session_->object().name() << ", create "
       << codeText(session_->createResult()) << "\n";
  if (session_->ready()) return true;
  const XtraResult code =
      session_->createResult() != xtra::kOk ? session_->createResult() : session_->buildResult();
  endSession();
  return refuse(command, "the script instance could not be made (" + codeText(code) + ")");
}

bool ScriptRunner::runDestroy(const ScriptCommand& command) {
  if (!session_) return refuse(command, "no instance to destroy");
  HostObject& object = session_->object();
  session_->end();
  out_ << "line " << command.line << ": destroy -> " << object.name()
       << (object.destroyed() ? " destroyed"
                              : " still referenced (" + std::to_string(object.refCount()) + ")")
       << "\n";
  session_.reset();
  return true;
}

void ScriptRunner::defineHandler(const ScriptCommand& command) {
  const bool fixed = !command.args.empty();
  const HostValue value = fixed ? valueOf(command.args[0]) : Values::makeVoid();
  const ScriptCommand::Behaviour behaviour = command.behaviour;
  const std::string name = command.name;
  handlers_.push_back(name);
  module_.host().engine.setHandler(
      name, [this, name, fixed, value, behaviour](std::int32_t argCount, HostValue* args,
                                                  HostValue* result) {
        out_ << "    handler #" << name << "(" << joined(values_, args, argCount) << ")";
        if (behaviour == ScriptCommand::Behaviour::Fail) {
          out_ << " fails with " << codeText(kHandlerFailed) << "\n";
          return kHandlerFailed;
        }
        HostValue answer = fixed ? value : (argCount > 0 ? args[0] : Values::makeVoid());
        if (behaviour == ScriptCommand::Behaviour::Join)
          answer = values_.makeString(textsJoined(args, argCount));
        if (result != nullptr) *result = answer;
        out_ << (result != nullptr ? " returns " + values_.describe(answer) : "") << "\n";
        return xtra::kOk;
      });
  out_ << "line " << command.line << ": handler #" << name << " defined\n";
}

// The texts of the arguments, as the host would convert them, separated by blanks.
std::string ScriptRunner::textsJoined(const HostValue* args, std::int32_t argCount) const {
  std::string text;
  for (std::int32_t i = 0; i < argCount; ++i) {
    if (i > 0) text += ' ';
    text += values_.textOf(args[i]).value_or("");
  }
  return text;
}

TemporaryInstallation& ScriptRunner::installation() {
  if (!installation_) installation_ = std::make_unique<TemporaryInstallation>();
  return *installation_;
}

bool ScriptRunner::install(const ScriptCommand& command) {
  const std::string& file = command.args[0].text;
  const std::string name = command.args.size() > 1 ? command.args[1].text : "";
  try {
    const std::string installed = installation().addGameModule(file, name);
    out_ << "line " << command.line << ": install -> " << installed << " (MainDir "
         << installation_->folder() << ")\n";
    return true;
  } catch (const std::runtime_error& e) {
    return refuse(command, e.what());
  }
}

bool ScriptRunner::addWorld(const ScriptCommand& command) {
  const std::string& name = command.args[0].text;
  try {
    const std::string movie = installation().addWorld(name);
    out_ << "line " << command.line << ": world -> " << movie << ", key HKLM\\SOFTWARE\\ZORV\\"
         << name << ", the current world\n";
    return true;
  } catch (const std::runtime_error& e) {
    return refuse(command, e.what());
  }
}

bool ScriptRunner::printStatistic(const ScriptCommand& command) {
  if (!installation_) return refuse(command, "no world: 'world' must come first");
  const std::string& name = command.args[0].text;
  const std::optional<std::string> text = installation_->statistic(name);
  out_ << "line " << command.line << ": stat \"" << name << "\" -> "
       << (text ? "\"" + *text + "\"" : std::string("not set")) << "\n";
  return true;
}

HostValue ScriptRunner::valueOf(const ScriptArg& arg) {
  switch (arg.kind) {
    case ScriptArg::Kind::String:
      return values_.makeString(arg.text);
    case ScriptArg::Kind::Integer:
      return Values::makeInteger(arg.integer);
    case ScriptArg::Kind::Symbol:
      return values_.makeSymbol(arg.text);
    case ScriptArg::Kind::Me:
      return session_ ? session_->instanceValue() : Values::makeVoid();
    case ScriptArg::Kind::Void:
      break;
  }
  return Values::makeVoid();
}

bool ScriptRunner::runMethod(const ScriptCommand& command) {
  if (!session_) return refuse(command, "no instance: 'new' must come first");
  std::vector<HostValue> args;
  if (command.method.takesInstance) args.push_back(session_->instanceValue());
  for (const ScriptArg& arg : command.args) args.push_back(valueOf(arg));
  out_ << "line " << command.line << ": " << command.name << "("
       << joined(values_, args.data(), static_cast<std::int32_t>(args.size())) << ")\n";
  const CallOutcome outcome = session_->call(command.method.number, args);
  out_ << "    -> " << values_.describe(outcome.result) << ", code " << codeText(outcome.code)
       << "\n";
  return true;
}

void ScriptRunner::endSession() {
  if (session_) session_->end();
  session_.reset();
}

}  // namespace xtrahost
