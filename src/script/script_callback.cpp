// callAFunction and callACommand: run another script handler, named by a symbol, through the
// host's script engine. Their arguments are the instance, the symbol, then the handler's own.
#include "host/guard.h"
#include "script/script_interface.h"

namespace xtra {

XtraResult XTRA_CALL ScriptInterface::callAFunction(ScriptCallRecord* record) {
  ModuleGuard guard;
  return callHandler(record, true);
}

XtraResult XTRA_CALL ScriptInterface::callACommand(ScriptCallRecord* record) {
  ModuleGuard guard;
  return callHandler(record, false);
}

// A record without the instance and the symbol is refused before anything is read from it.
XtraResult ScriptInterface::callHandler(ScriptCallRecord* record, bool wantResult) {
  ScriptInstance& s = instance();
  if (record->argCount < 2 || record->args == nullptr) return kNotAvailable;
  if (s.values == nullptr || s.engine == nullptr) return kNotAvailable;
  HostValue symbolValue = record->args[1];
  HostSymbol symbol = 0;
  if (XtraResult code = s.values->ValueToSymbol(&symbolValue, &symbol)) return code;
  return s.engine->CallHandler(symbol, record->argCount - 2, record->args + 2,
                               wantResult ? &record->result : nullptr);
}

}  // namespace xtra
