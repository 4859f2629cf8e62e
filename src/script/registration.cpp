#include "script/registration.h"

#include <cstring>

#include "host/host_ref.h"
#include "host/identifiers.h"
#include "script/message_table.h"

namespace xtra {

namespace {

constexpr std::int32_t kTypeInteger = 3;
constexpr std::int32_t kTypeBoolean = 6;
constexpr std::int32_t kTypeText = 9;
constexpr std::int32_t kLoadControlOptions = 3;
constexpr std::int32_t kPropertyBufferSize = 64;

// A block from the host's allocator, given back when the scope ends.
class HostBlock {
 public:
  HostBlock(HostAllocator* allocator, std::uint32_t size)
      : allocator_(allocator), block_(allocator->Allocate(size)) {}
  ~HostBlock() {
    if (block_ != nullptr) allocator_->Free(block_);
  }
  HostBlock(const HostBlock&) = delete;
  HostBlock& operator=(const HostBlock&) = delete;
  void* get() const { return block_; }

 private:
  HostAllocator* allocator_;
  void* block_;
};

// Reads a string property into the buffer, always leaving it NUL-terminated.
XtraResult readProperty(HostAppInfo* info, std::int32_t property,
                        char (&buffer)[kPropertyBufferSize]) {
  std::memset(buffer, 0, sizeof buffer);
  XtraResult code = info->ReadStringProperty(property, buffer, sizeof buffer);
  buffer[sizeof buffer - 1] = '\0';
  return code;
}

// Only the authoring application itself, of version 6 or later, registers the Xtra.
XtraResult checkHost(HostAppInfo* info) {
  char buffer[kPropertyBufferSize];
  if (XtraResult code = readProperty(info, HostAppInfo::kApplicationName, buffer)) return code;
  if (std::strcmp(buffer, "Director") != 0) return kNotAvailable;
  if (XtraResult code = readProperty(info, HostAppInfo::kVersion, buffer)) return code;
  if (static_cast<signed char>(buffer[0]) < '6') return kHostTooOld;
  return kOk;
}

// The load-control entry; the host's answers are not consulted. The cache keeps the
// dictionaries of its entries and lends them to the module: they are never released here.
void addLoadControlEntry(HostRegistryCache* cache, void* xtraDict) {
  HostRegistryDict* dict = nullptr;
  cache->AddEntry(xtraDict, &ids::kScriptClass, &ids::kLoadControl, &dict);
  if (dict == nullptr) return;
  const std::int32_t options = kLoadControlOptions;
  dict->Put(kTypeInteger, &options, 0, "XtraLoadControlOptions");
}

}  // namespace

XtraResult XTRA_CALL RegistrationInterface::Register(HostRegistryCache* cache, void* xtraDict) {
  ModuleGuard guard;
  HostObjectHeader* object = owner();
  if (cache == nullptr || object->callback == nullptr || object->allocator == nullptr) {
    return kNotAvailable;
  }
  HostRef<HostAppInfo> appInfo;
  if (XtraResult code = object->callback->QueryInterface(&ids::kHostAppInfo, appInfo.putVoid())) {
    return code;
  }
  if (!appInfo) return kNotAvailable;
  if (XtraResult code = checkHost(appInfo.get())) return code;

  addLoadControlEntry(cache, xtraDict);

  HostRegistryDict* scripting = nullptr;  // lent by the cache, like the load-control one
  if (XtraResult code =
          cache->AddEntry(xtraDict, &ids::kScriptClass, &ids::kScriptInterface, &scripting)) {
    return code;
  }
  if (scripting == nullptr) return kNotAvailable;

  // Destroyed before the application info: the block is freed first, on every way out.
  HostBlock text(object->allocator, sizeof kMessageTable);
  if (text.get() == nullptr) return kOutOfMemory;
  std::memcpy(text.get(), kMessageTable, sizeof kMessageTable);
  scripting->Put(kTypeText, text.get(), 0, "msgTable");
  const std::uint8_t safe = 1;
  return scripting->Put(kTypeBoolean, &safe, 1, "safeForShockwave");
}

XtraResult XTRA_CALL createRegistrationObject(HostObjectHeader*) {
  ModuleGuard guard;
  return kOk;
}

void XTRA_CALL destroyRegistrationObject(HostObjectHeader*) { ModuleStateGuard guard; }

}  // namespace xtra
