// An object of one of the module's classes, owned by the host: a block of the class's
// instance size whose HostObjectHeader the host fills (reference operations on the object
// itself, callback, allocator) before the class's create operation runs.
//
// The object starts with one reference, the host's own. The module's AddRef/Release calls are
// counted; when the count reaches 0 the host calls the destroy operation and frees the block
// (unless told not to). Tests can also drive every step themselves: create, destroy, release.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "call_log.h"
#include "host/host_interfaces.h"

namespace xtrahost {

// What DllGetClassForm tells about a class.
struct ClassForm {
  XtraResult code = 0;
  std::uint32_t instanceSize = 0;
  CreateOperation create = nullptr;
  DestroyOperation destroy = nullptr;
};

class HostObject {
 public:
  // Answers the object's QueryInterface (by default the module's DllGetInterface).
  using QueryHandler =
      std::function<XtraResult(HostObjectHeader* object, const GUID* iid, void** out)>;

  // Named kind#number in the call log ("ScriptObject#1").
  HostObject(CallLog& log, const std::string& kind, std::uint32_t number, const ClassForm& form,
             HostCallback* callback, HostAllocator* allocator, std::uint8_t fill = 0);
  // Frees the block if it is still there; never calls destroy (the module may be gone).
  ~HostObject();
  HostObject(const HostObject&) = delete;
  HostObject& operator=(const HostObject&) = delete;

  // Runs the class's create operation and keeps its result.
  XtraResult create();
  // Runs the destroy operation now, keeps a copy of the block as destroy left it, frees it.
  // Does nothing the second time.
  void destroy();
  // The host gives up its own reference (destroy follows at zero).
  void release();

  void setQueryHandler(QueryHandler handler) { query_ = std::move(handler); }
  // With false, a count of 0 is only recorded; the test destroys explicitly.
  void setDestroyAtZero(bool on) { destroyAtZero_ = on; }

  const std::string& name() const { return name_; }
  std::uint32_t number() const { return number_; }
  // Null once the block has been freed.
  HostObjectHeader* header();
  std::uint8_t* bytes() { return memory_.empty() ? nullptr : memory_.data(); }
  std::uint32_t size() const { return size_; }
  // Reads a field of the block (or of the copy taken at destroy, once freed).
  template <class T>
  T field(std::size_t offset) const {
    const std::vector<std::uint8_t>& m = memory_.empty() ? atDestroy_ : memory_;
    T value{};
    if (offset + sizeof(T) <= m.size()) std::memcpy(&value, m.data() + offset, sizeof(T));
    return value;
  }
  const std::vector<std::uint8_t>& bytesAtDestroy() const { return atDestroy_; }

  std::optional<XtraResult> createResult() const { return createResult_; }
  bool destroyed() const { return destroyed_; }
  std::int32_t refCount() const { return refCount_; }
  std::uint32_t addRefs() const { return addRefs_; }    // from the module
  std::uint32_t releases() const { return releases_; }  // from the module
  std::uint32_t queries() const { return queries_; }

 private:
  static HostObject* self(HostObjectHeader* header);
  static XtraResult XTRA_CALL opQueryInterface(HostObjectHeader* header, const GUID* iid,
                                               void** out);
  static std::uint32_t XTRA_CALL opAddRef(HostObjectHeader* header);
  static std::uint32_t XTRA_CALL opRelease(HostObjectHeader* header);
  static const HostObjectOps kOps;

  std::uint32_t dropReference();

  CallLog& log_;
  std::string name_;
  std::uint32_t number_;
  ClassForm form_;
  std::uint32_t size_;
  std::vector<std::uint8_t> memory_;
  std::vector<std::uint8_t> atDestroy_;
  QueryHandler query_;
  bool destroyAtZero_ = true;
  std::optional<XtraResult> createResult_;
  bool destroyed_ = false;
  std::int32_t refCount_ = 1;
  std::uint32_t addRefs_ = 0;
  std::uint32_t releases_ = 0;
  std::uint32_t queries_ = 0;
};

}  // namespace xtrahost
