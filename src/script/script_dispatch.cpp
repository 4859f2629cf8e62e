#include "host/host_ref.h"
#include "script/message_table.h"
#include "script/script_interface.h"

namespace xtra {

namespace {

using Handler = XtraResult (XTRA_CALL ScriptInterface::*)(ScriptCallRecord*);

// Method numbers 1 to 6, in message-table order; calls through these go through the
// operation table.
constexpr Handler kHandlers[] = {
    &ScriptInterface::gameLoadDLLzorv,  &ScriptInterface::gameStartDlgzorv,
    &ScriptInterface::gameScoreDlgzorv, &ScriptInterface::gameStopDlgzorv,
    &ScriptInterface::callAFunction,    &ScriptInterface::callACommand,
};
static_assert(sizeof kHandlers / sizeof kHandlers[0] == kMethodCallCommand, "six handlers");

// The per-call fields of one Call. A handler may run script that calls the module again: a
// nested Call fills the fields with its own interfaces and, when it ends, releases exactly those
// and puts back what the outer call had, so every reference is released once.
class CallContextScope {
 public:
  explicit CallContextScope(ScriptInstance& s)
      : s_(s), outerContext_(s.callContext), outerSubContext_(s.callSubContext) {
    s_.callContext = nullptr;
    s_.callSubContext = nullptr;
  }

  ~CallContextScope() {
    releaseField(&s_.callContext);
    releaseField(&s_.callSubContext);
    s_.callContext = outerContext_;
    s_.callSubContext = outerSubContext_;
  }

  CallContextScope(const CallContextScope&) = delete;
  CallContextScope& operator=(const CallContextScope&) = delete;

  XtraResult acquire() {
    if (s_.engine == nullptr) return kNotAvailable;
    if (XtraResult code = s_.engine->GetCallContext(&s_.callContext)) return code;
    if (s_.callContext == nullptr) return kNotAvailable;
    return s_.callContext->GetSubInterface(&s_.callSubContext);
  }

 private:
  ScriptInstance& s_;
  HostCallContext* outerContext_;
  HostUnknown* outerSubContext_;
};

}  // namespace

XtraResult XTRA_CALL ScriptInterface::Call(ScriptCallRecord* record) {
  ModuleGuard guard;
  if (record == nullptr) return kNotAvailable;
  CallContextScope context(instance());
  if (XtraResult code = context.acquire()) return code;
  return dispatch(record);
}

XtraResult ScriptInterface::dispatch(ScriptCallRecord* record) {
  const std::int32_t method = record->method;
  if (method < kMethodGameLoad || method > kMethodCallCommand) return kOk;
  // An instance whose create failed lacks interfaces the handlers need; a host that calls it
  // anyway is refused rather than followed into a null interface.
  if (instance().values == nullptr) return kNotAvailable;
  return (this->*kHandlers[method - kMethodGameLoad])(record);
}

}  // namespace xtra
