// Failure injection: a result code that an operation gives instead of doing its work, either
// every time or a given number of times (after which the operation works again).
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "call_log.h"
#include "host/host_interfaces.h"
#include "host_codes.h"

namespace xtrahost {

constexpr int kEveryTime = -1;

class Injection {
 public:
  Injection() = default;
  Injection(XtraResult code, int times) : code_(code), remaining_(times) {}

  // True (and the code) when the operation is to fail this time; consumes one failure.
  bool fire(XtraResult* code) {
    if (remaining_ == 0) return false;
    if (remaining_ > 0) --remaining_;
    if (code != nullptr) *code = code_;
    return true;
  }
  bool armed() const { return remaining_ != 0; }

 private:
  XtraResult code_ = 0;
  int remaining_ = 0;
};

// Runs an operation that the numbered failure of the call log may hit (see
// CallLog::failCallNumber): not at all, the interface out-argument emptied (null `emptied`: a
// value out-argument left as it was), or in full but answering kSweptFailure.
template <class Operation>
XtraResult sweptCall(CallLog& log, const std::string& entry, Operation operation,
                     void** emptied = nullptr) {
  switch (log.failureFor(entry)) {
    case CallLog::Failure::None:
      return operation();
    case CallLog::Failure::EmptyOut:
      if (emptied != nullptr) *emptied = nullptr;
      return kSweptFailure;
    case CallLog::Failure::FilledOut:
      operation();
      log.failedCallReturned();
      return kSweptFailure;
  }
  return kSweptFailure;
}

// sweptCall for an operation that hands out one reference to `iface` through `out`.
template <class Out, class Interface>
XtraResult sweptHandOut(CallLog& log, const std::string& entry, Out** out, Interface& iface) {
  return sweptCall(
      log, entry,
      [&] {
        if (out == nullptr) return kNullArgument;
        *out = iface.handOut();
        return xtra::kOk;
      },
      reinterpret_cast<void**>(out));
}

// Injections chosen by a key (a property number, a registry key, an interface identifier).
template <class Key, class Less = std::less<Key>>
class InjectionMap {
 public:
  void set(const Key& key, XtraResult code, int times = kEveryTime) {
    map_[key] = Injection(code, times);
  }
  void clear() { map_.clear(); }
  bool fire(const Key& key, XtraResult* code) {
    auto it = map_.find(key);
    return it != map_.end() && it->second.fire(code);
  }

 private:
  std::map<Key, Injection, Less> map_;
};

}  // namespace xtrahost
