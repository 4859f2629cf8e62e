#include "host_object.h"

#include <algorithm>

#include "guid_text.h"
#include "host_codes.h"
#include "injection.h"

namespace xtrahost {

const HostObjectOps HostObject::kOps = {&HostObject::opQueryInterface, &HostObject::opAddRef,
                                        &HostObject::opRelease};

HostObject::HostObject(CallLog& log, const std::string& kind, std::uint32_t number,
                       const ClassForm& form, HostCallback* callback, HostAllocator* allocator,
                       std::uint8_t fill)
    : log_(log),
      name_(kind + "#" + std::to_string(number)),
      number_(number),
      form_(form),
      size_(std::max<std::uint32_t>(form.instanceSize, sizeof(HostObjectHeader))),
      memory_(size_, fill) {
  HostObjectHeader h;
  std::memcpy(&h, memory_.data(), sizeof h);
  h.ops = &kOps;
  h.unused4 = this;  // the module does not use this word: it leads back to this object
  h.callback = callback;
  h.allocator = allocator;
  std::memcpy(memory_.data(), &h, sizeof h);
}

HostObject::~HostObject() = default;

HostObjectHeader* HostObject::header() {
  return memory_.empty() ? nullptr : reinterpret_cast<HostObjectHeader*>(memory_.data());
}

HostObject* HostObject::self(HostObjectHeader* header) {
  return static_cast<HostObject*>(header->unused4);
}

XtraResult HostObject::create() {
  XtraResult result = xtra::kNotAvailable;
  if (form_.create != nullptr && header() != nullptr) result = form_.create(header());
  createResult_ = result;
  log_.add(name_ + ".create -> " + codeText(result));
  return result;
}

void HostObject::destroy() {
  if (destroyed_) return;
  destroyed_ = true;
  log_.add(name_ + ".destroy");
  if (form_.destroy != nullptr) form_.destroy(header());
  atDestroy_ = memory_;
  memory_.clear();
  memory_.shrink_to_fit();
}

std::uint32_t HostObject::dropReference() {
  --refCount_;
  if (refCount_ == 0 && destroyAtZero_) destroy();
  return refCount_ > 0 ? static_cast<std::uint32_t>(refCount_) : 0;
}

void HostObject::release() {
  log_.add(name_ + ".host releases");
  dropReference();
}

XtraResult XTRA_CALL HostObject::opQueryInterface(HostObjectHeader* header, const GUID* iid,
                                                  void** out) {
  HostObject* object = self(header);
  const std::string entry = object->name_ + ".QueryInterface(" + guidName(iid) + ")";
  object->log_.add(entry);
  ++object->queries_;
  if (!object->query_) {
    if (out != nullptr) *out = nullptr;
    return xtra::kNotAvailable;
  }
  const QueryHandler query = object->query_;
  return sweptCall(
      object->log_, entry, [&] { return query(header, iid, out); }, out);
}

std::uint32_t XTRA_CALL HostObject::opAddRef(HostObjectHeader* header) {
  HostObject* object = self(header);
  object->log_.add(object->name_ + ".AddRef");
  ++object->addRefs_;
  return static_cast<std::uint32_t>(++object->refCount_);
}

std::uint32_t XTRA_CALL HostObject::opRelease(HostObjectHeader* header) {
  HostObject* object = self(header);
  object->log_.add(object->name_ + ".Release");
  ++object->releases_;
  return object->dropReference();
}

}  // namespace xtrahost
