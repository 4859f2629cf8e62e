// The registration class: its interface writes the script entries into the host's cache.
#pragma once

#include "host/interface_object.h"

namespace xtra {

class RegistrationInterface final
    : public ModuleInterface<RegistrationInterface, RegistrationInterfaceBase> {
 public:
  explicit RegistrationInterface(HostObjectHeader* owner) : ModuleInterface(owner) {}
  XtraResult XTRA_CALL Register(HostRegistryCache* cache, void* xtraDict) override;
};

#if defined(__i386__)
static_assert(sizeof(RegistrationInterface) == 12, "interface objects are 12 bytes");
#endif

// Create and destroy of the registration class: objects have no fields of their own.
XtraResult XTRA_CALL createRegistrationObject(HostObjectHeader* object);
void XTRA_CALL destroyRegistrationObject(HostObjectHeader* object);

}  // namespace xtra
