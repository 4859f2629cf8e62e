// The module's five exports. They take no guard and never show anything: failures are codes.
#include <objbase.h>

#include "host/class_table.h"
#include "host/interface_object.h"

extern "C" {

XtraResult XTRA_CALL DllGetClassInfo(HostAllocator* allocator, ClassInfoEntry** out) {
  return xtra::getClassInfo(xtra::moduleClassTable(), allocator, out);
}

XtraResult XTRA_CALL DllGetClassForm(const GUID* classId, std::uint32_t* instanceSize,
                                     CreateOperation* create, DestroyOperation* destroy) {
  return xtra::getClassForm(xtra::moduleClassTable(), classId, instanceSize, create, destroy);
}

XtraResult XTRA_CALL DllGetInterface(HostObjectHeader* object, const GUID* classId,
                                     const GUID* interfaceId, void** out) {
  return xtra::getInterface(xtra::moduleClassTable(), object, classId, interfaceId, out);
}

}  // extern "C"

STDAPI DllCanUnloadNow() { return xtra::liveInterfaceCount == 0 ? xtra::kOk : xtra::kStillInUse; }

STDAPI DllGetClassObject(REFCLSID, REFIID, LPVOID*) { return xtra::kNoSuchClass; }
