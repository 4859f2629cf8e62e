// A module file loaded the way the host loads it: LoadLibraryA, then its five exports by name.
// Helpers wrap the exports for one Host: the class table, class forms, objects with their
// headers filled, interfaces, and the registration sequence.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "host.h"
#include "host_object.h"

namespace xtrahost {

using GetClassInfoExport = XtraResult(XTRA_CALL*)(HostAllocator* allocator, ClassInfoEntry** table);
using GetClassFormExport = XtraResult(XTRA_CALL*)(const GUID* classId, std::uint32_t* instanceSize,
                                                  CreateOperation* create,
                                                  DestroyOperation* destroy);
using GetInterfaceExport = XtraResult(XTRA_CALL*)(HostObjectHeader* object, const GUID* classId,
                                                  const GUID* iid, void** out);
using CanUnloadNowExport = XtraResult(XTRA_CALL*)();
using GetClassObjectExport = XtraResult(XTRA_CALL*)(const GUID* classId, const GUID* iid,
                                                    void** out);

struct ModuleExports {
  GetClassInfoExport getClassInfo = nullptr;
  GetClassFormExport getClassForm = nullptr;
  GetInterfaceExport getInterface = nullptr;
  CanUnloadNowExport canUnloadNow = nullptr;
  GetClassObjectExport getClassObject = nullptr;
};

// Loading failed or an export is missing; what() says which and why.
class ModuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ClassInfo {
  XtraResult code = 0;
  std::vector<ClassInfoEntry> entries;  // without the terminator
  bool terminated = false;              // the all-zero entry was found inside the block
};

struct InterfaceResult {
  XtraResult code = 0;
  void* iface = nullptr;
  template <class T>
  T* as() const {
    return static_cast<T*>(iface);
  }
};

class LoadedModule {
 public:
  // Throws ModuleError when the file cannot be loaded or lacks an export.
  LoadedModule(Host& host, const std::string& path);
  ~LoadedModule();
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  const ModuleExports& exports() const { return exports_; }
  const std::string& path() const { return path_; }
  Host& host() { return host_; }

  // DllGetClassInfo with the host's allocator; the table is copied and freed again.
  ClassInfo classInfo();
  // DllGetClassForm; null asks for the default class.
  ClassForm classForm(const GUID* classId);
  // A new object of the class with its header filled, not yet created. Its QueryInterface
  // builds interfaces through DllGetInterface. Throws ModuleError for an unknown class.
  std::unique_ptr<HostObject> newObject(const GUID& classId);
  // newObject, then the create operation (see HostObject::createResult).
  std::unique_ptr<HostObject> createObject(const GUID& classId);
  // DllGetInterface on the object.
  InterfaceResult getInterface(HostObject& object, const GUID* classId, const GUID& iid);
  // What the host does to register a module: a registration object, its
  // RegistrationInterface, Register(cache, Xtra dictionary), Release, then the host's own
  // reference goes (so the object is destroyed). Gives Register's result, or the code of the
  // step that failed before it.
  XtraResult registerModule();
  XtraResult canUnloadNow();
  XtraResult getClassObject(const GUID& classId, const GUID& iid, void** out);

 private:
  Host& host_;
  std::string path_;
  void* module_ = nullptr;  // HMODULE
  ModuleExports exports_;
};

}  // namespace xtrahost
