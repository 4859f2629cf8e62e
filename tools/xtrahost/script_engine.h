// HostScriptEngine: script handlers registered by name, called by symbol; and the per-call
// context (whose position 24 gives a sub-interface). Failures: CallLog::failCallNumber.
// A handler may call back into the module: nothing here is held across the handler's call.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "counted.h"
#include "injection.h"
#include "values.h"

namespace xtrahost {

// A script handler: its arguments (argCount values at args) and where its result goes (null
// when the caller wants none; otherwise preset to void).
using ScriptHandler =
    std::function<XtraResult(std::int32_t argCount, HostValue* args, HostValue* result)>;

struct HandlerCall {
  HostSymbol symbol;
  std::string handler;  // the symbol's name, empty for an unknown symbol
  std::int32_t argCount;
  std::vector<HostValue> args;  // copies, taken before the handler ran
  bool wantsResult;
  XtraResult result;
};

class CallContext : public Counted<HostCallContext> {
 public:
  explicit CallContext(CallLog& log);

  XTRAHOST_RESERVED(3)
  XTRAHOST_RESERVED(4)
  XTRAHOST_RESERVED(5)
  XTRAHOST_RESERVED(6)
  XTRAHOST_RESERVED(7)
  XTRAHOST_RESERVED(8)
  XTRAHOST_RESERVED(9)
  XTRAHOST_RESERVED(10)
  XTRAHOST_RESERVED(11)
  XTRAHOST_RESERVED(12)
  XTRAHOST_RESERVED(13)
  XTRAHOST_RESERVED(14)
  XTRAHOST_RESERVED(15)
  XTRAHOST_RESERVED(16)
  XTRAHOST_RESERVED(17)
  XTRAHOST_RESERVED(18)
  XTRAHOST_RESERVED(19)
  XTRAHOST_RESERVED(20)
  XTRAHOST_RESERVED(21)
  XTRAHOST_RESERVED(22)
  XTRAHOST_RESERVED(23)
  XtraResult XTRA_CALL GetSubInterface(HostUnknown** out) override;

  HeldInterface& subInterface() { return sub_; }
  const HeldInterface& subInterface() const { return sub_; }

 private:
  HeldInterface sub_;
};

class ScriptEngine : public Counted<HostScriptEngine> {
 public:
  ScriptEngine(CallLog& log, SymbolTable& symbols, Values& values);

  XTRAHOST_RESERVED(3)
  XTRAHOST_RESERVED(4)
  XtraResult XTRA_CALL CallHandler(HostSymbol handler, std::int32_t argCount, HostValue* args,
                                   HostValue* result) override;
  XtraResult XTRA_CALL GetCallContext(HostCallContext** out) override;

  void setHandler(const std::string& name, ScriptHandler handler);
  void removeHandler(const std::string& name) { handlers_.erase(name); }
  HostSymbol symbol(const std::string& name) { return symbols_.intern(name); }

  const std::vector<HandlerCall>& calls() const { return calls_; }
  CallContext& context() { return context_; }
  const CallContext& context() const { return context_; }

 private:
  XtraResult run(const std::string& name, std::int32_t argCount, HostValue* args,
                 HostValue* result);

  SymbolTable& symbols_;
  Values& values_;
  std::map<std::string, ScriptHandler> handlers_;
  std::vector<HandlerCall> calls_;
  CallContext context_;
};

}  // namespace xtrahost
