// Reference accounting for every interface the host hands to the module. The host owns its
// interface objects for its whole life: a count reaching zero destroys nothing, so a test can
// still read the counts afterwards. Every AddRef and Release is also a line in the call log, and
// a Release while the module holds no reference (an underflow, which a real host would not
// survive) adds an error line.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "call_log.h"
#include "guid_text.h"
#include "host/host_interfaces.h"

namespace xtrahost {

struct RefCounts {
  std::uint32_t handedOut = 0;  // references given out by QueryInterface or a create operation
  std::uint32_t addRefs = 0;
  std::uint32_t releases = 0;
  std::uint32_t underflows = 0;  // releases that came while the module held no reference
  // References the module still holds; negative after an underflow.
  std::int64_t outstanding() const {
    return static_cast<std::int64_t>(handedOut) + addRefs - releases;
  }
};

class RefTracker {
 public:
  RefTracker(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}

  void handOut() { ++counts_.handedOut; }
  std::uint32_t addRef() {
    log_.add(name_ + ".AddRef");
    ++counts_.addRefs;
    return reportedCount();
  }
  std::uint32_t release() {
    log_.add(name_ + ".Release");
    if (counts_.outstanding() <= 0) {
      ++counts_.underflows;
      log_.add("error: " + name_ + ".Release underflow: the module holds no reference");
    }
    ++counts_.releases;
    return reportedCount();
  }
  void reset() { counts_ = RefCounts{}; }

  const RefCounts& counts() const { return counts_; }
  const std::string& name() const { return name_; }
  CallLog& log() const { return log_; }

 private:
  std::uint32_t reportedCount() const {
    const std::int64_t n = counts_.outstanding();
    return n > 0 ? static_cast<std::uint32_t>(n) : 0;
  }

  CallLog& log_;
  std::string name_;
  RefCounts counts_;
};

// One host interface: the three reference operations, counted; QueryInterface answers only the
// interface's own identifier (the module asks the callback, not the interfaces, for others).
template <class Interface>
class Counted : public Interface {
 public:
  Counted(CallLog& log, std::string name, const GUID& ownId)
      : tracker_(log, std::move(name)), ownId_(ownId) {}
  virtual ~Counted() = default;
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;

  XtraResult XTRA_CALL QueryInterface(const GUID* iid, void** out) override {
    log().add(name() + ".QueryInterface(" + guidName(iid) + ")");
    if (out == nullptr) return xtra::kNotAvailable;
    if (iid != nullptr && xtra::sameId(*iid, ownId_)) {
      *out = handOut();
      return xtra::kOk;
    }
    *out = nullptr;
    return xtra::kNotAvailable;
  }
  std::uint32_t XTRA_CALL AddRef() override { return tracker_.addRef(); }
  std::uint32_t XTRA_CALL Release() override { return tracker_.release(); }

  // Gives out one reference to this interface (the receiver is to release it).
  Interface* handOut() {
    tracker_.handOut();
    return this;
  }

  RefTracker& tracker() { return tracker_; }
  const RefTracker& tracker() const { return tracker_; }
  const RefCounts& counts() const { return tracker_.counts(); }
  const std::string& name() const { return tracker_.name(); }
  const GUID& id() const { return ownId_; }
  CallLog& log() const { return tracker_.log(); }

 protected:
  // A call through a position the module has no business calling.
  XtraResult reservedCalled(int position) {
    log().add(name() + ".reserved" + std::to_string(position));
    return xtra::kNotAvailable;
  }

 private:
  RefTracker tracker_;
  GUID ownId_;
};

// Implements reserved position n of a host interface: logged, answers "not available".
#define XTRAHOST_RESERVED(n) \
  XtraResult XTRA_CALL reserved##n() override { return reservedCalled(n); }

// An interface the module only holds (and the per-call sub-interface, the objects created
// through the callback): nothing but the counted reference operations.
class HeldInterface : public Counted<HostUnknown> {
 public:
  using Counted::Counted;
};

}  // namespace xtrahost
