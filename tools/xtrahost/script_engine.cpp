#include "script_engine.h"

#include "host/identifiers.h"
#include "host_codes.h"

namespace xtrahost {

namespace {

const GUID kNoId{};

}  // namespace

CallContext::CallContext(CallLog& log)
    : Counted(log, "CallContext", kNoId), sub_(log, "CallContextSub", kNoId) {}

XtraResult XTRA_CALL CallContext::GetSubInterface(HostUnknown** out) {
  log().add("CallContext.GetSubInterface");
  return sweptHandOut(log(), "CallContext.GetSubInterface", out, sub_);
}

ScriptEngine::ScriptEngine(CallLog& log, SymbolTable& symbols, Values& values)
    : Counted(log, "ScriptEngine", xtra::ids::kHostScriptEngine),
      symbols_(symbols),
      values_(values),
      context_(log) {}

void ScriptEngine::setHandler(const std::string& name, ScriptHandler handler) {
  symbols_.intern(name);
  handlers_[name] = std::move(handler);
}

XtraResult XTRA_CALL ScriptEngine::CallHandler(HostSymbol handler, std::int32_t argCount,
                                               HostValue* args, HostValue* result) {
  HandlerCall call{handler,  symbols_.name(handler).value_or(""), argCount, {}, result != nullptr,
                   xtra::kOk};
  if (args != nullptr) call.args.assign(args, args + (argCount > 0 ? argCount : 0));
  std::string line = "ScriptEngine.CallHandler(#" +
                     (call.handler.empty() ? std::to_string(handler) : call.handler) + ", " +
                     std::to_string(argCount);
  for (const HostValue& v : call.args) line += ", " + values_.describe(v);
  line += result ? ", result)" : ", none)";
  log().add(line);

  // Recorded before the handler runs, so nested calls appear after their caller.
  const std::size_t index = calls_.size();
  calls_.push_back(call);
  const XtraResult code =
      sweptCall(log(), line, [&] { return run(call.handler, argCount, args, result); });
  calls_[index].result = code;
  return code;
}

XtraResult ScriptEngine::run(const std::string& name, std::int32_t argCount, HostValue* args,
                             HostValue* result) {
  if (argCount < 0 || (argCount > 0 && args == nullptr)) return kBadArgumentCount;
  auto it = handlers_.find(name);
  if (it == handlers_.end()) return kUnknownHandler;
  const ScriptHandler handler = it->second;  // it may replace itself while it runs
  if (result != nullptr) *result = Values::makeVoid();
  return handler(argCount, args, result);
}

XtraResult XTRA_CALL ScriptEngine::GetCallContext(HostCallContext** out) {
  log().add("ScriptEngine.GetCallContext");
  return sweptHandOut(log(), "ScriptEngine.GetCallContext", out, context_);
}

}  // namespace xtrahost
