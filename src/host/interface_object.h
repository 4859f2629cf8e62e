// The module's interface objects: 12 bytes on 32-bit Windows (operation table, owner, count),
// memory from the owner's allocator, every reference mirrored on the owning host object.
#pragma once

#include <cstdint>
#include <new>

#include "host/guard.h"
#include "host/host_interfaces.h"

namespace xtra {

// The number of interface objects alive, of both kinds together; 0 means the module may unload.
extern std::int32_t liveInterfaceCount;

// Memory for an interface object from the object's allocator, retried through the installed
// new-handler when the allocator gives none.
void* allocateInterfaceMemory(HostAllocator* allocator, std::uint32_t size);

// Derived is the concrete interface, Base the host's abstract interface it implements.
template <class Derived, class Base>
class ModuleInterface : public Base {
 public:
  XtraResult XTRA_CALL QueryInterface(const GUID* iid, void** out) override {
    return owner_->ops->QueryInterface(owner_, iid, out);
  }

  std::uint32_t XTRA_CALL AddRef() override {
    owner_->ops->AddRef(owner_);
    return ++refCount_;
  }

  std::uint32_t XTRA_CALL Release() override {
    const std::uint32_t count = --refCount_;
    HostObjectHeader* owner = owner_;
    if (count == 0) {
      HostAllocator* allocator = owner->allocator;
      {
        ModuleGuard guard;
        static_cast<Derived*>(this)->~Derived();
      }
      allocator->Free(this);
      --liveInterfaceCount;
      owner->ops->Release(owner);  // the reference held for the interface's lifetime
    }
    owner->ops->Release(owner);  // the reference being given up
    return count;
  }

  HostObjectHeader* owner() const { return owner_; }

  // The build operation handed out through the class table. An object without its header
  // operations or allocator (a broken host) is answered with 0x80040004, nothing touched.
  static XtraResult XTRA_CALL build(HostObjectHeader* object, void** out) {
    if (out == nullptr || object == nullptr || object->ops == nullptr ||
        object->allocator == nullptr) {
      return kNotAvailable;
    }
    void* memory = allocateInterfaceMemory(object->allocator, sizeof(Derived));
    if (memory == nullptr) {
      *out = nullptr;
      return kOutOfMemory;
    }
    object->ops->AddRef(object);  // for the interface's lifetime
    object->ops->AddRef(object);  // for the reference handed out
    ++liveInterfaceCount;
    Derived* created;
    {
      ModuleGuard guard;
      created = new (memory) Derived(object);
    }
    *out = static_cast<HostUnknown*>(created);
    return kOk;
  }

 protected:
  explicit ModuleInterface(HostObjectHeader* owner) : owner_(owner) {}
  ~ModuleInterface() = default;

 private:
  HostObjectHeader* owner_;
  std::uint32_t refCount_ = 1;
};

}  // namespace xtra
