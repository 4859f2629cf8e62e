// A small stand-in module for testing the headless host: the five exports, a registration
// class that writes three registry entries, and a script class whose instances echo a string
// (method 1) and call a script handler (method 2). Not the real module: just enough of the
// conversation to exercise every path of the host library.
#include <cstring>
#include <new>

#include "host/host_interfaces.h"
#include "host/identifiers.h"

#define FAKE_EXPORT extern "C" __declspec(dllexport)

namespace {

namespace ids = xtra::ids;

constexpr std::uint32_t kVersion = 0x01010043;
constexpr char kMessageTable[] =
    "xtra FakeXtra -- for the host's tests\n"
    "new object me\n"
    "-- comment\n"
    "* echo string text --\n"
    "callBack object me, symbol handler, * --\n";

int liveInterfaces = 0;

struct FakeInstance {
  HostObjectHeader header;
  HostValues* values;
  HostScriptEngine* engine;
};

template <class Base>
class FakeInterface : public Base {
 public:
  explicit FakeInterface(HostObjectHeader* owner) : owner_(owner) {}
  virtual ~FakeInterface() = default;
  XtraResult XTRA_CALL QueryInterface(const GUID* iid, void** out) override {
    return owner_->ops->QueryInterface(owner_, iid, out);
  }
  std::uint32_t XTRA_CALL AddRef() override {
    owner_->ops->AddRef(owner_);
    return ++count_;
  }
  std::uint32_t XTRA_CALL Release() override {
    const std::uint32_t count = --count_;
    HostObjectHeader* owner = owner_;
    if (count == 0) {
      this->~FakeInterface();
      owner->allocator->Free(this);
      --liveInterfaces;
      owner->ops->Release(owner);
    }
    owner->ops->Release(owner);
    return count;
  }

 protected:
  HostObjectHeader* owner_;

 private:
  std::uint32_t count_ = 1;
};

class FakeRegistration : public FakeInterface<RegistrationInterfaceBase> {
 public:
  using FakeInterface::FakeInterface;
  XtraResult XTRA_CALL Register(HostRegistryCache* cache, void* xtraDict) override {
    HostAppInfo* app = nullptr;
    XtraResult code =
        owner_->callback->QueryInterface(&ids::kHostAppInfo, reinterpret_cast<void**>(&app));
    if (code != xtra::kOk) return code;
    char name[64] = {};
    code = app->ReadStringProperty(HostAppInfo::kApplicationName, name, sizeof name);
    app->Release();
    if (code != xtra::kOk) return code;
    if (std::strcmp(name, "Director") != 0) return xtra::kNotAvailable;
    HostRegistryDict* dict = nullptr;
    const std::int32_t option = 3;
    if (cache->AddEntry(xtraDict, &ids::kScriptClass, &ids::kLoadControl, &dict) == xtra::kOk) {
      dict->Put(3, &option, 0, "XtraLoadControlOptions");  // the cache keeps its dictionaries
    }
    code = cache->AddEntry(xtraDict, &ids::kScriptClass, &ids::kScriptInterface, &dict);
    if (code != xtra::kOk) return code;
    const std::uint8_t safe = 1;
    dict->Put(9, kMessageTable, 0, "msgTable");
    return dict->Put(6, &safe, 1, "safeForShockwave");
  }
};

class FakeScript : public FakeInterface<ScriptInterfaceBase> {
 public:
  using FakeInterface::FakeInterface;
  XtraResult XTRA_CALL Call(ScriptCallRecord* record) override {
    auto* self = reinterpret_cast<FakeInstance*>(owner_);
    HostCallContext* context = nullptr;
    XtraResult code = self->engine->GetCallContext(&context);
    if (code != xtra::kOk) return code;
    HostUnknown* sub = nullptr;
    code = context->GetSubInterface(&sub);
    if (code == xtra::kOk) {
      code = dispatch(self, record);
      sub->Release();
    }
    context->Release();
    return code;
  }

 private:
  static XtraResult dispatch(FakeInstance* self, ScriptCallRecord* record) {
    if (record->method == 1) {
      char text[16] = {};
      self->values->ValueToString(&record->args[0], text, sizeof text);
      return self->values->StringToValue(text, &record->result);
    }
    if (record->method == 2) {
      HostSymbol handler = 0;
      const XtraResult code = self->values->ValueToSymbol(&record->args[1], &handler);
      if (code != xtra::kOk) return code;
      return self->engine->CallHandler(handler, record->argCount - 2, record->args + 2,
                                       &record->result);
    }
    return xtra::kOk;
  }
};

template <class Interface>
XtraResult XTRA_CALL build(HostObjectHeader* object, void** out) {
  void* memory = object->allocator->Allocate(sizeof(Interface));
  *out = nullptr;
  if (memory == nullptr) return xtra::kOutOfMemory;
  object->ops->AddRef(object);
  object->ops->AddRef(object);
  ++liveInterfaces;
  *out = static_cast<HostUnknown*>(new (memory) Interface(object));
  return xtra::kOk;
}

XtraResult XTRA_CALL createNothing(HostObjectHeader*) { return xtra::kOk; }
void XTRA_CALL destroyNothing(HostObjectHeader*) {}

XtraResult XTRA_CALL createScript(HostObjectHeader* object) {
  auto* self = reinterpret_cast<FakeInstance*>(object);
  self->values = nullptr;
  self->engine = nullptr;
  object->callback->QueryInterface(&ids::kHostValues, reinterpret_cast<void**>(&self->values));
  object->callback->QueryInterface(&ids::kHostScriptEngine,
                                   reinterpret_cast<void**>(&self->engine));
  return self->values && self->engine ? xtra::kOk : xtra::kNotAvailable;
}

void XTRA_CALL destroyScript(HostObjectHeader* object) {
  auto* self = reinterpret_cast<FakeInstance*>(object);
  if (self->values) self->values->Release();
  if (self->engine) self->engine->Release();
}

struct FakeClass {
  const GUID* classId;
  std::uint32_t size;
  CreateOperation create;
  DestroyOperation destroy;
  const GUID* iid;
  BuildOperation build;
};

const FakeClass kClasses[] = {
    {&ids::kRegistrationClass, sizeof(HostObjectHeader), createNothing, destroyNothing,
     &ids::kRegistrationInterface, build<FakeRegistration>},
    {&ids::kScriptClass, sizeof(FakeInstance), createScript, destroyScript, &ids::kScriptInterface,
     build<FakeScript>},
};

}  // namespace

FAKE_EXPORT XtraResult XTRA_CALL DllGetClassInfo(HostAllocator* allocator, ClassInfoEntry** out) {
  auto* table = static_cast<ClassInfoEntry*>(allocator->Allocate(5 * sizeof(ClassInfoEntry)));
  *out = table;
  if (table == nullptr) return xtra::kOutOfMemory;
  for (const FakeClass& c : kClasses) {
    *table++ = ClassInfoEntry{*c.classId, kVersion, ids::kClassFactory, 1};
    *table++ = ClassInfoEntry{*c.classId, kVersion, *c.iid, kVersion};
  }
  std::memset(table, 0, sizeof *table);
  return xtra::kOk;
}

FAKE_EXPORT XtraResult XTRA_CALL DllGetClassForm(const GUID* classId, std::uint32_t* size,
                                                 CreateOperation* create,
                                                 DestroyOperation* destroy) {
  for (const FakeClass& c : kClasses) {
    if (classId != nullptr && !xtra::sameId(*classId, *c.classId)) continue;
    *size = c.size;
    *create = c.create;
    *destroy = c.destroy;
    return xtra::kOk;
  }
  return xtra::kNoSuchClass;
}

FAKE_EXPORT XtraResult XTRA_CALL DllGetInterface(HostObjectHeader* object, const GUID* classId,
                                                 const GUID* iid, void** out) {
  for (const FakeClass& c : kClasses) {
    if (classId != nullptr && !xtra::sameId(*classId, *c.classId)) continue;
    if (xtra::sameId(*iid, *c.iid)) return c.build(object, out);
  }
  return xtra::kNotAvailable;
}

FAKE_EXPORT XtraResult XTRA_CALL DllCanUnloadNow() {
  return liveInterfaces == 0 ? xtra::kOk : xtra::kStillInUse;
}

FAKE_EXPORT XtraResult XTRA_CALL DllGetClassObject(const GUID*, const GUID*, void**) {
  return xtra::kNoSuchClass;
}
