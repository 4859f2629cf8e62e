#include "host.h"

#include <utility>

#include "host/identifiers.h"

namespace xtrahost {

Host::Host()
    : held1(log, "Held1", xtra::ids::kHeldInterface1),
      held5(log, "Held5", xtra::ids::kHeldInterface5),
      held6(log, "Held6", xtra::ids::kHeldInterface6),
      held7(log, "Held7", xtra::ids::kHeldInterface7),
      held11(log, "Held11", xtra::ids::kHeldInterface11) {
  callback.answer(xtra::ids::kHostAppInfo, appInfo);
  callback.answer(xtra::ids::kHostValues, values);
  callback.answer(xtra::ids::kHostScriptEngine, engine);
  callback.answer(xtra::ids::kHeldInterface1, held1);
  callback.answer(xtra::ids::kHeldInterface5, held5);
  callback.answer(xtra::ids::kHeldInterface6, held6);
  callback.answer(xtra::ids::kHeldInterface7, held7);
  callback.answer(xtra::ids::kHeldInterface11, held11);
}

// Every interface the module can reach, the ones it only borrows (callback, allocator,
// registration cache) included: releasing one of those is an underflow too.
std::vector<const RefTracker*> Host::trackers() const {
  std::vector<const RefTracker*> all = callback.trackers();
  for (const auto& dict : registry.dicts()) all.push_back(&dict->tracker());
  all.push_back(&engine.context().tracker());
  all.push_back(&engine.context().subInterface().tracker());
  all.push_back(&callback.tracker());
  all.push_back(&allocator.tracker());
  all.push_back(&registry.tracker());
  return all;
}

std::vector<std::string> Host::outstandingReferences() const {
  std::vector<std::string> out;
  for (const RefTracker* t : trackers()) {
    const std::int64_t n = t->counts().outstanding();
    if (n > 0) out.push_back(t->name() + ": " + std::to_string(n) + " outstanding");
  }
  return out;
}

std::vector<std::string> Host::referenceUnderflows() const {
  std::vector<std::string> out;
  for (const RefTracker* t : trackers()) {
    const std::uint32_t n = t->counts().underflows;
    if (n > 0) out.push_back(t->name() + ": " + std::to_string(n) + " underflow");
  }
  return out;
}

std::vector<std::string> Host::unbalancedReferences() const {
  std::vector<std::string> out = outstandingReferences();
  for (std::string& line : referenceUnderflows()) out.push_back(std::move(line));
  return out;
}

}  // namespace xtrahost
