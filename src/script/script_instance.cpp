#include "script/script_instance.h"

#include <cstring>

#include "app/xtra_app.h"
#include "host/guard.h"
#include "host/host_ref.h"
#include "host/identifiers.h"

namespace xtra {

namespace {

template <class T>
void askInterface(HostCallback* callback, const GUID& iid, T** field) {
  callback->QueryInterface(&iid, reinterpret_cast<void**>(field));
}

// Every interface field starts empty, so that a destroy after a failed create releases only
// what the host really handed over.
void clearInterfaceFields(ScriptInstance& s) {
  s.heldInterface1 = nullptr;
  s.appInfo = nullptr;
  s.hostObject = nullptr;
  s.values = nullptr;
  s.heldInterface5 = nullptr;
  s.heldInterface6 = nullptr;
  s.heldInterface7 = nullptr;
  s.engine = nullptr;
  s.callContext = nullptr;
  s.callSubContext = nullptr;
  s.heldInterface11 = nullptr;
}

}  // namespace

XtraResult XTRA_CALL createScriptInstance(HostObjectHeader* object) {
  ModuleGuard guard;
  if (object == nullptr) return kNotAvailable;
  ScriptInstance& s = asScriptInstance(object);
  s.gameModule = nullptr;
  clearInterfaceFields(s);
  HostCallback* callback = object->callback;
  if (callback == nullptr) return kNotAvailable;

  askInterface(callback, ids::kHeldInterface1, &s.heldInterface1);
  askInterface(callback, ids::kHostAppInfo, &s.appInfo);
  callback->CreateHostObject(&ids::kHostObjectClass, &ids::kHostObjectIface,
                             reinterpret_cast<void**>(&s.hostObject));
  askInterface(callback, ids::kHostValues, &s.values);
  askInterface(callback, ids::kHeldInterface5, &s.heldInterface5);
  askInterface(callback, ids::kHeldInterface6, &s.heldInterface6);
  askInterface(callback, ids::kHeldInterface7, &s.heldInterface7);
  if (s.heldInterface7 == nullptr) return kNotAvailable;
  askInterface(callback, ids::kHostScriptEngine, &s.engine);
  askInterface(callback, ids::kHeldInterface11, &s.heldInterface11);

  const bool complete = s.heldInterface1 && s.appInfo && s.hostObject && s.values &&
                        s.heldInterface5 && s.heldInterface6 && s.engine && s.heldInterface11;
  return complete ? kOk : kNotAvailable;
}

void XTRA_CALL destroyScriptInstance(HostObjectHeader* object) {
  ModuleGuard guard;
  if (object == nullptr) return;
  ScriptInstance& s = asScriptInstance(object);
  // The host object of field 3 goes after the held interfaces 5 and 6.
  releaseField(&s.heldInterface1);
  releaseField(&s.appInfo);
  releaseField(&s.values);
  releaseField(&s.heldInterface5);
  releaseField(&s.heldInterface6);
  releaseField(&s.hostObject);
  releaseField(&s.heldInterface7);
  releaseField(&s.engine);
  releaseField(&s.heldInterface11);
  if (s.gameModule != nullptr) {
    FreeLibrary(s.gameModule);
    s.gameModule = nullptr;
    std::memset(s.gameModuleName, 0, sizeof s.gameModuleName);
  }
  // Every destroy takes the hidden frame down; after the first there is nothing left to close.
  if (CXtraApp* app = xtraApp()) app->CloseHiddenFrame();
}

}  // namespace xtra
