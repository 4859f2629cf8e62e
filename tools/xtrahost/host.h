// The whole host side of one test or program run: one call log shared by every interface, the
// allocator, values, application info, script engine, registration cache, the interfaces the
// module only holds, and the callback that answers them all.
#pragma once

#include <string>
#include <vector>

#include "allocator.h"
#include "app_info.h"
#include "call_log.h"
#include "callback.h"
#include "counted.h"
#include "registry.h"
#include "script_engine.h"
#include "values.h"

namespace xtrahost {

class Host {
 public:
  Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  CallLog log;
  SymbolTable symbols;
  Allocator allocator{log};
  Values values{log, symbols};
  AppInfo appInfo{log};
  ScriptEngine engine{log, symbols, values};
  RegistryCache registry{log};
  HeldInterface held1;
  HeldInterface held5;
  HeldInterface held6;
  HeldInterface held7;
  HeldInterface held11;
  Callback callback{log};

  // Byte that fills a new object's block behind its header (0 by default).
  std::uint8_t objectFill = 0;

  // Shorthands for callback.withhold / restore.
  void withhold(const GUID& iid, XtraResult code = xtra::kNotAvailable) {
    callback.withhold(iid, code);
  }
  void restore(const GUID& iid) { callback.restore(iid); }

  // "Values: 1 outstanding" for every host interface whose references the module has not all
  // given back, then "RegistryDict#1: 1 underflow" for every one it released without holding a
  // reference; empty when all are balanced.
  std::vector<std::string> unbalancedReferences() const;
  std::vector<std::string> outstandingReferences() const;
  std::vector<std::string> referenceUnderflows() const;

  // Numbers host objects: 1, 2, ...
  std::uint32_t nextObjectNumber() { return ++objects_; }

 private:
  std::vector<const RefTracker*> trackers() const;

  std::uint32_t objects_ = 0;
};

}  // namespace xtrahost
