// One script instance as the host keeps it: an object of the script class, created, with its
// ScriptInterface built; script calls go to Call with a ScriptCallRecord.
#pragma once

#include <memory>
#include <vector>

#include "loaded_module.h"

namespace xtrahost {

struct CallOutcome {
  XtraResult code = 0;
  HostValue result{};
};

class ScriptSession {
 public:
  // Creates the instance and builds its interface; see createResult() and ready().
  explicit ScriptSession(LoadedModule& module);
  // end(), if not done yet.
  ~ScriptSession();
  ScriptSession(const ScriptSession&) = delete;
  ScriptSession& operator=(const ScriptSession&) = delete;

  XtraResult createResult() const { return createResult_; }
  XtraResult buildResult() const { return buildResult_; }
  bool ready() const { return iface_ != nullptr; }

  // Calls method `method` with the arguments as given (instance methods expect
  // instanceValue() first). The result slot starts as `initialResult`.
  CallOutcome call(std::int32_t method, std::vector<HostValue> args,
                   HostValue initialResult = Values::makeVoid());
  // The value that stands for this instance in argument lists ("object me").
  HostValue instanceValue() const { return Values::makeObject(number_); }

  ScriptInterfaceBase* scriptInterface() { return iface_; }
  HostObject& object() { return *object_; }

  // Releases the interface, then the host's reference to the object, which destroys it when
  // nothing else holds it. The host does this after a failed create as well: destroy is what
  // gives back the references that create obtained.
  void end();

 private:
  LoadedModule& module_;
  std::unique_ptr<HostObject> object_;
  ScriptInterfaceBase* iface_ = nullptr;
  XtraResult createResult_ = 0;
  XtraResult buildResult_ = 0;
  std::uint32_t number_ = 0;
  bool ended_ = false;
};

}  // namespace xtrahost
