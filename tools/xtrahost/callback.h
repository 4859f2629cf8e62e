// HostCallback: answers QueryInterface from a table of the host's interfaces (any of which a
// test can withhold, with the code to give instead) and creates host objects at position 3.
// Every reference handed out is counted on the interface that it refers to.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "counted.h"
#include "injection.h"

namespace xtrahost {

class Callback : public Counted<HostCallback> {
 public:
  explicit Callback(CallLog& log);

  XtraResult XTRA_CALL QueryInterface(const GUID* iid, void** out) override;
  XtraResult XTRA_CALL CreateHostObject(const GUID* classId, const GUID* iid, void** out) override;

  // Makes QueryInterface answer the identifier with the interface.
  template <class Interface>
  void answer(const GUID& iid, Counted<Interface>& iface) {
    answers_[iid] = Answer{static_cast<HostUnknown*>(&iface), &iface.tracker()};
  }
  // QueryInterface (or CreateHostObject, for kHostObjectClass / kHostObjectIface) gives the
  // code and no interface until the identifier is restored.
  void withhold(const GUID& iid, XtraResult code = xtra::kNotAvailable) { withheld_[iid] = code; }
  void restore(const GUID& iid) { withheld_.erase(iid); }
  void restoreAll() { withheld_.clear(); }

  // The host objects made by CreateHostObject, in order ("HostObject#1", ...).
  const std::vector<std::unique_ptr<HeldInterface>>& hostObjects() const { return hostObjects_; }
  // Every interface that this callback has handed out or can hand out.
  std::vector<const RefTracker*> trackers() const;

 private:
  struct Answer {
    HostUnknown* iface;
    RefTracker* tracker;
  };
  bool isWithheld(const GUID* iid, XtraResult* code) const;
  XtraResult answer(const GUID* iid, void** out);
  XtraResult createHostObject(const GUID* classId, const GUID* iid, void** out);

  std::map<GUID, Answer, GuidLess> answers_;
  std::map<GUID, XtraResult, GuidLess> withheld_;
  std::vector<std::unique_ptr<HeldInterface>> hostObjects_;
};

}  // namespace xtrahost
