#include "loaded_module.h"

#include <windows.h>

#include "guid_text.h"
#include "host/identifiers.h"
#include "host_codes.h"

namespace xtrahost {

namespace {

std::string windowsErrorText(DWORD error) {
  char text[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                           error, 0, text, sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' ')) {
    text[--n] = '\0';
  }
  return "error " + std::to_string(error) + (n > 0 ? std::string(" (") + text + ")" : "");
}

template <class Fn>
Fn exportNamed(HMODULE module, const char* name, const std::string& path) {
  FARPROC proc = GetProcAddress(module, name);
  if (proc == nullptr) {
    throw ModuleError("'" + path + "' has no export " + name);
  }
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
}

std::string objectKind(const GUID& classId) {
  if (xtra::sameId(classId, xtra::ids::kScriptClass)) return "ScriptObject";
  if (xtra::sameId(classId, xtra::ids::kRegistrationClass)) return "RegistrationObject";
  return "Object";
}

bool isZero(const GUID& id) {
  const GUID zero{};
  return xtra::sameId(id, zero);
}

}  // namespace

LoadedModule::LoadedModule(Host& host, const std::string& path) : host_(host), path_(path) {
  HMODULE module = LoadLibraryA(path.c_str());
  if (module == nullptr) {
    throw ModuleError("cannot load '" + path + "': " + windowsErrorText(GetLastError()));
  }
  module_ = module;
  try {
    exports_.getClassInfo = exportNamed<GetClassInfoExport>(module, "DllGetClassInfo", path);
    exports_.getClassForm = exportNamed<GetClassFormExport>(module, "DllGetClassForm", path);
    exports_.getInterface = exportNamed<GetInterfaceExport>(module, "DllGetInterface", path);
    exports_.canUnloadNow = exportNamed<CanUnloadNowExport>(module, "DllCanUnloadNow", path);
    exports_.getClassObject = exportNamed<GetClassObjectExport>(module, "DllGetClassObject", path);
  } catch (...) {
    FreeLibrary(module);
    throw;
  }
}

LoadedModule::~LoadedModule() { FreeLibrary(static_cast<HMODULE>(module_)); }

ClassInfo LoadedModule::classInfo() {
  ClassInfo info;
  ClassInfoEntry* table = nullptr;
  info.code = exports_.getClassInfo(&host_.allocator, &table);
  if (info.code != xtra::kOk || table == nullptr) return info;
  // Walk no further than the block the module was given.
  const std::size_t capacity =
      host_.allocator.blockSize(table).value_or(0) / sizeof(ClassInfoEntry);
  for (std::size_t i = 0; i < capacity; ++i) {
    if (isZero(table[i].classId) && isZero(table[i].interfaceId)) {
      info.terminated = true;
      break;
    }
    info.entries.push_back(table[i]);
  }
  host_.allocator.Free(table);
  return info;
}

ClassForm LoadedModule::classForm(const GUID* classId) {
  ClassForm form;
  form.code = exports_.getClassForm(classId, &form.instanceSize, &form.create, &form.destroy);
  return form;
}

std::unique_ptr<HostObject> LoadedModule::newObject(const GUID& classId) {
  const ClassForm form = classForm(&classId);
  if (form.code != xtra::kOk) {
    throw ModuleError("no class form for " + guidText(classId) + ": " + codeText(form.code));
  }
  auto object =
      std::make_unique<HostObject>(host_.log, objectKind(classId), host_.nextObjectNumber(), form,
                                   &host_.callback, &host_.allocator, host_.objectFill);
  GetInterfaceExport getInterface = exports_.getInterface;
  const GUID cls = classId;
  object->setQueryHandler(
      [getInterface, cls](HostObjectHeader* header, const GUID* iid, void** out) {
        return getInterface(header, &cls, iid, out);
      });
  return object;
}

std::unique_ptr<HostObject> LoadedModule::createObject(const GUID& classId) {
  std::unique_ptr<HostObject> object = newObject(classId);
  object->create();
  return object;
}

InterfaceResult LoadedModule::getInterface(HostObject& object, const GUID* classId,
                                           const GUID& iid) {
  InterfaceResult result;
  result.code = exports_.getInterface(object.header(), classId, &iid, &result.iface);
  return result;
}

XtraResult LoadedModule::registerModule() {
  std::unique_ptr<HostObject> object = createObject(xtra::ids::kRegistrationClass);
  XtraResult code = object->createResult().value_or(xtra::kNotAvailable);
  if (code == xtra::kOk) {
    InterfaceResult built =
        getInterface(*object, &xtra::ids::kRegistrationClass, xtra::ids::kRegistrationInterface);
    code = built.code;
    if (code == xtra::kOk && built.iface != nullptr) {
      auto* registration = built.as<RegistrationInterfaceBase>();
      code = registration->Register(&host_.registry, host_.registry.xtraDict());
      registration->Release();
    }
  }
  object->release();
  return code;
}

XtraResult LoadedModule::canUnloadNow() { return exports_.canUnloadNow(); }

XtraResult LoadedModule::getClassObject(const GUID& classId, const GUID& iid, void** out) {
  return exports_.getClassObject(&classId, &iid, out);
}

}  // namespace xtrahost
