#include "script_session.h"

#include "host/identifiers.h"

namespace xtrahost {

ScriptSession::ScriptSession(LoadedModule& module) : module_(module) {
  object_ = module.createObject(xtra::ids::kScriptClass);
  number_ = object_->number();
  createResult_ = object_->createResult().value_or(xtra::kNotAvailable);
  buildResult_ = createResult_;
  if (createResult_ != xtra::kOk) return;
  InterfaceResult built =
      module.getInterface(*object_, &xtra::ids::kScriptClass, xtra::ids::kScriptInterface);
  buildResult_ = built.code;
  if (built.code == xtra::kOk) iface_ = built.as<ScriptInterfaceBase>();
}

ScriptSession::~ScriptSession() { end(); }

CallOutcome ScriptSession::call(std::int32_t method, std::vector<HostValue> args,
                                HostValue initialResult) {
  CallOutcome outcome;
  if (iface_ == nullptr) {
    outcome.code = buildResult_ != xtra::kOk ? buildResult_ : xtra::kNotAvailable;
    return outcome;
  }
  ScriptCallRecord record{};
  record.method = method;
  record.result = initialResult;
  record.argCount = static_cast<std::int32_t>(args.size());
  record.args = args.empty() ? nullptr : args.data();
  module_.host().log.add(object_->name() + ".Call(" + std::to_string(method) + ")");
  outcome.code = iface_->Call(&record);
  outcome.result = record.result;
  return outcome;
}

void ScriptSession::end() {
  if (ended_) return;
  ended_ = true;
  if (iface_ != nullptr) iface_->Release();
  iface_ = nullptr;
  object_->release();
}

}  // namespace xtrahost
