#include "callback.h"

#include "host/identifiers.h"
#include "host_codes.h"
#include "injection.h"

namespace xtrahost {

namespace {

const GUID kNoId{};

}  // namespace

Callback::Callback(CallLog& log) : Counted(log, "Callback", kNoId) {}

bool Callback::isWithheld(const GUID* iid, XtraResult* code) const {
  if (iid == nullptr) return false;
  auto it = withheld_.find(*iid);
  if (it == withheld_.end()) return false;
  *code = it->second;
  return true;
}

XtraResult XTRA_CALL Callback::QueryInterface(const GUID* iid, void** out) {
  const std::string entry = "Callback.QueryInterface(" + guidName(iid) + ")";
  log().add(entry);
  return sweptCall(
      log(), entry, [&] { return answer(iid, out); }, out);
}

XtraResult Callback::answer(const GUID* iid, void** out) {
  if (out == nullptr) return kNullArgument;
  *out = nullptr;
  XtraResult code = xtra::kNotAvailable;
  if (iid == nullptr || isWithheld(iid, &code)) return code;
  auto it = answers_.find(*iid);
  if (it == answers_.end()) return xtra::kNotAvailable;
  it->second.tracker->handOut();
  *out = it->second.iface;
  return xtra::kOk;
}

XtraResult XTRA_CALL Callback::CreateHostObject(const GUID* classId, const GUID* iid, void** out) {
  const std::string entry =
      "Callback.CreateHostObject(" + guidName(classId) + ", " + guidName(iid) + ")";
  log().add(entry);
  return sweptCall(
      log(), entry, [&] { return createHostObject(classId, iid, out); }, out);
}

XtraResult Callback::createHostObject(const GUID* classId, const GUID* iid, void** out) {
  if (out == nullptr) return kNullArgument;
  *out = nullptr;
  XtraResult code = xtra::kNotAvailable;
  if (isWithheld(classId, &code) || isWithheld(iid, &code)) return code;
  if (classId == nullptr || iid == nullptr ||
      !xtra::sameId(*classId, xtra::ids::kHostObjectClass) ||
      !xtra::sameId(*iid, xtra::ids::kHostObjectIface)) {
    return xtra::kNoSuchClass;
  }
  hostObjects_.push_back(std::make_unique<HeldInterface>(
      log(), "HostObject#" + std::to_string(hostObjects_.size() + 1), *iid));
  *out = hostObjects_.back()->handOut();
  return xtra::kOk;
}

std::vector<const RefTracker*> Callback::trackers() const {
  std::vector<const RefTracker*> all;
  for (const auto& answer : answers_) all.push_back(answer.second.tracker);
  for (const auto& object : hostObjects_) all.push_back(&object->tracker());
  return all;
}

}  // namespace xtrahost
