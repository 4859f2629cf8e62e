// An object of the script class: the host's header followed by the host interfaces the script
// methods need, the two per-call interfaces and the GameModule the instance loaded.
#pragma once

#include <cstdint>

#include "host/host_interfaces.h"

namespace xtra {

constexpr int kGameModuleNameSize = 16;

struct ScriptInstance {
  HostObjectHeader header;
  HostUnknown* heldInterface1;
  HostAppInfo* appInfo;
  HostUnknown* hostObject;
  HostValues* values;
  HostUnknown* heldInterface5;
  HostUnknown* heldInterface6;
  HostUnknown* heldInterface7;
  HostScriptEngine* engine;
  HostCallContext* callContext;  // only while a Call runs
  HostUnknown* callSubContext;   // only while a Call runs
  HostUnknown* heldInterface11;
  HMODULE gameModule;
  char gameModuleName[kGameModuleNameSize];
  std::uint8_t reserved[24];  // part of the instance size the host allocates; never read
};

#if defined(__i386__)
static_assert(sizeof(ScriptInstance) == 112, "script instances are 112 bytes");
static_assert(offsetof(ScriptInstance, heldInterface1) == 24, "fields follow the header");
static_assert(offsetof(ScriptInstance, gameModuleName) == 72, "64 bytes of fields");
#endif

inline ScriptInstance& asScriptInstance(HostObjectHeader* object) {
  return *reinterpret_cast<ScriptInstance*>(object);
}

XtraResult XTRA_CALL createScriptInstance(HostObjectHeader* object);
void XTRA_CALL destroyScriptInstance(HostObjectHeader* object);

}  // namespace xtra
