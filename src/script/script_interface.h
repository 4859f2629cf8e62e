// The script class's interface: Call routes each script call by method number to one of six
// handlers, which follow Call in the operation table in method-number order.
#pragma once

#include "host/interface_object.h"
#include "script/script_instance.h"

namespace xtra {

class ScriptInterface final : public ModuleInterface<ScriptInterface, ScriptInterfaceBase> {
 public:
  explicit ScriptInterface(HostObjectHeader* owner) : ModuleInterface(owner) {}

  XtraResult XTRA_CALL Call(ScriptCallRecord* record) override;

  virtual XtraResult XTRA_CALL gameLoadDLLzorv(ScriptCallRecord* record);
  virtual XtraResult XTRA_CALL gameStartDlgzorv(ScriptCallRecord* record);
  virtual XtraResult XTRA_CALL gameScoreDlgzorv(ScriptCallRecord* record);
  virtual XtraResult XTRA_CALL gameStopDlgzorv(ScriptCallRecord* record);
  virtual XtraResult XTRA_CALL callAFunction(ScriptCallRecord* record);
  virtual XtraResult XTRA_CALL callACommand(ScriptCallRecord* record);

 private:
  ScriptInstance& instance() const { return asScriptInstance(owner()); }
  XtraResult dispatch(ScriptCallRecord* record);
  XtraResult callHandler(ScriptCallRecord* record, bool wantResult);
  void setIntegerResult(ScriptCallRecord* record, std::int32_t value);
  void argumentText(const ScriptCallRecord* record, char* buffer, std::int32_t size);
};

#if defined(__i386__)
static_assert(sizeof(ScriptInterface) == 12, "interface objects are 12 bytes");
#endif

}  // namespace xtra
