// The Director host's side of the plug-in conversation, declared position by position.
// Every interface is a table of operations whose positions 0 to 2 are QueryInterface, AddRef
// and Release; positions the module never calls are declared as reserved so that the ones it
// does call sit where the host expects them. Shared by the module and by the headless host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/win_types.h"

// Calling conventions: host-facing operations use the COM convention (stdcall on 32-bit
// Windows); GameModule exports use cdecl. Both are the only convention on x86_64.
#if defined(_WIN32) && defined(__i386__)
#define XTRA_CALL __stdcall
#define GAME_CALL __cdecl
#else
#define XTRA_CALL
#define GAME_CALL
#endif

using XtraResult = std::int32_t;

namespace xtra {

constexpr XtraResult kOk = 0;
constexpr XtraResult kOutOfMemory = static_cast<XtraResult>(0x80040002u);
constexpr XtraResult kStillInUse = static_cast<XtraResult>(0x80040003u);
constexpr XtraResult kNotAvailable = static_cast<XtraResult>(0x80040004u);
constexpr XtraResult kNoSuchClass = static_cast<XtraResult>(0x80040005u);
constexpr XtraResult kHostTooOld = static_cast<XtraResult>(0x80040014u);

// Identifiers compare as four 32-bit words.
bool sameId(const GUID& a, const GUID& b);

}  // namespace xtra

// A reserved position: present in the table, never called by the module.
#define XTRA_RESERVED(n) virtual XtraResult XTRA_CALL reserved##n() = 0

// The host's script value: two 32-bit words, opaque to the module.
struct HostValue {
  std::uint32_t word[2];
};
static_assert(sizeof(HostValue) == 8, "HostValue is 8 bytes");
static_assert(alignof(HostValue) == 4, "HostValue keeps 4-byte alignment");

using HostSymbol = std::uint32_t;

// Positions 0 to 2 of every host and module interface.
struct HostUnknown {
  virtual XtraResult XTRA_CALL QueryInterface(const GUID* iid, void** out) = 0;
  virtual std::uint32_t XTRA_CALL AddRef() = 0;
  virtual std::uint32_t XTRA_CALL Release() = 0;
};

// Obtains further host interfaces for an object.
struct HostCallback : HostUnknown {
  // 3: creates a host object of a class and gives one of its interfaces.
  virtual XtraResult XTRA_CALL CreateHostObject(const GUID* classId, const GUID* iid,
                                                void** out) = 0;
};

struct HostAllocator : HostUnknown {
  virtual void* XTRA_CALL Allocate(std::uint32_t size) = 0;  // 3: null when out of memory
  virtual void XTRA_CALL Free(void* block) = 0;              // 4
};

struct HostAppInfo : HostUnknown {
  static constexpr std::int32_t kApplicationName = 5;
  static constexpr std::int32_t kVersion = 6;
  // 3: reads a string property into the buffer.
  virtual XtraResult XTRA_CALL ReadStringProperty(std::int32_t property, char* buffer,
                                                  std::int32_t size) = 0;
};

struct HostRegistryDict : HostUnknown {
  XTRA_RESERVED(3);
  XTRA_RESERVED(4);
  XTRA_RESERVED(5);
  // 6: the host copies size bytes (or a type-determined amount when size is 0).
  virtual XtraResult XTRA_CALL Put(std::int32_t typeCode, const void* value, std::int32_t size,
                                   const char* key) = 0;
};

struct HostRegistryCache : HostUnknown {
  XTRA_RESERVED(3);
  XTRA_RESERVED(4);
  XTRA_RESERVED(5);
  XTRA_RESERVED(6);
  // 7: adds an entry for (class, interface) under the Xtra's dictionary.
  virtual XtraResult XTRA_CALL AddEntry(void* xtraDict, const GUID* classId, const GUID* iid,
                                        HostRegistryDict** out) = 0;
};

struct HostValues : HostUnknown {
  XTRA_RESERVED(3);
  XTRA_RESERVED(4);
  XTRA_RESERVED(5);
  XTRA_RESERVED(6);
  XTRA_RESERVED(7);
  XTRA_RESERVED(8);
  virtual XtraResult XTRA_CALL ValueToSymbol(const HostValue* value, HostSymbol* out) = 0;  // 9
  XTRA_RESERVED(10);
  XTRA_RESERVED(11);
  virtual XtraResult XTRA_CALL ValueToString(const HostValue* value, char* buffer,
                                             std::int32_t size) = 0;  // 12
  XTRA_RESERVED(13);
  XTRA_RESERVED(14);
  XTRA_RESERVED(15);
  XTRA_RESERVED(16);
  virtual XtraResult XTRA_CALL IntegerToValue(std::int32_t integer, HostValue* out) = 0;  // 17
  XTRA_RESERVED(18);
  XTRA_RESERVED(19);
  virtual XtraResult XTRA_CALL StringToValue(const char* text, HostValue* out) = 0;  // 20
};

// The per-call context that the script engine gives for the duration of one call.
struct HostCallContext : HostUnknown {
  XTRA_RESERVED(3);
  XTRA_RESERVED(4);
  XTRA_RESERVED(5);
  XTRA_RESERVED(6);
  XTRA_RESERVED(7);
  XTRA_RESERVED(8);
  XTRA_RESERVED(9);
  XTRA_RESERVED(10);
  XTRA_RESERVED(11);
  XTRA_RESERVED(12);
  XTRA_RESERVED(13);
  XTRA_RESERVED(14);
  XTRA_RESERVED(15);
  XTRA_RESERVED(16);
  XTRA_RESERVED(17);
  XTRA_RESERVED(18);
  XTRA_RESERVED(19);
  XTRA_RESERVED(20);
  XTRA_RESERVED(21);
  XTRA_RESERVED(22);
  XTRA_RESERVED(23);
  virtual XtraResult XTRA_CALL GetSubInterface(HostUnknown** out) = 0;  // 24
};

struct HostScriptEngine : HostUnknown {
  XTRA_RESERVED(3);
  XTRA_RESERVED(4);
  // 5: runs the handler named by symbol; result may be null when the caller wants none.
  virtual XtraResult XTRA_CALL CallHandler(HostSymbol handler, std::int32_t argCount,
                                           HostValue* args, HostValue* result) = 0;
  virtual XtraResult XTRA_CALL GetCallContext(HostCallContext** out) = 0;  // 6
};

// The object's own reference operations, at offset 0 of every host object.
struct HostObjectHeader;
struct HostObjectOps {
  XtraResult(XTRA_CALL* QueryInterface)(HostObjectHeader* object, const GUID* iid, void** out);
  std::uint32_t(XTRA_CALL* AddRef)(HostObjectHeader* object);
  std::uint32_t(XTRA_CALL* Release)(HostObjectHeader* object);
};

// The first bytes of every object of the module's classes; the host fills it, the module reads.
struct HostObjectHeader {
  const HostObjectOps* ops;
  void* unused4;
  HostCallback* callback;
  HostAllocator* allocator;
  std::uint8_t unused16[8];
};

// The host's record of one script call.
struct ScriptCallRecord {
  std::uint8_t unused0[8];
  std::int32_t method;
  HostValue result;
  std::int32_t argCount;
  HostValue* args;
};

// The module's two abstract interfaces as the host sees them: the reference operations and
// one operation of their own at position 3.
struct RegistrationInterfaceBase : HostUnknown {
  virtual XtraResult XTRA_CALL Register(HostRegistryCache* cache, void* xtraDict) = 0;
};

struct ScriptInterfaceBase : HostUnknown {
  virtual XtraResult XTRA_CALL Call(ScriptCallRecord* record) = 0;
};

// One entry of the class table handed out by DllGetClassInfo.
struct ClassInfoEntry {
  GUID classId;
  std::uint32_t classVersion;
  GUID interfaceId;
  std::uint32_t interfaceVersion;
};

// Operations handed to the host by DllGetClassForm and reached through DllGetInterface.
using CreateOperation = XtraResult(XTRA_CALL*)(HostObjectHeader* object);
using DestroyOperation = void(XTRA_CALL*)(HostObjectHeader* object);
using BuildOperation = XtraResult(XTRA_CALL*)(HostObjectHeader* object, void** out);

static_assert(sizeof(ClassInfoEntry) == 40, "ClassInfoEntry is 40 bytes, no padding");
static_assert(offsetof(ScriptCallRecord, method) == 8, "method number at 8");
static_assert(offsetof(ScriptCallRecord, result) == 12, "result value at 12");
static_assert(offsetof(ScriptCallRecord, argCount) == 20, "argument count at 20");
static_assert(offsetof(ScriptCallRecord, args) == 24, "argument array at 24");
#if defined(__i386__)
static_assert(sizeof(HostObjectHeader) == 24, "HostObjectHeader is 24 bytes");
static_assert(offsetof(HostObjectHeader, callback) == 8, "HostCallback at 8");
static_assert(offsetof(HostObjectHeader, allocator) == 12, "HostAllocator at 12");
static_assert(sizeof(ScriptCallRecord) == 28, "ScriptCallRecord is 28 bytes");
#endif
