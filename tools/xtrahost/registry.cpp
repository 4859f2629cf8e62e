#include "registry.h"

#include <algorithm>
#include <cstring>

#include "host_codes.h"
#include "text_copy.h"

namespace xtrahost {

namespace {

const GUID kNoId{};

// The bytes the host keeps: the type decides how many when the size argument is 0.
std::vector<std::uint8_t> copyValue(std::int32_t typeCode, const void* value, std::int32_t size) {
  if (value == nullptr) return {};
  const auto* bytes = static_cast<const std::uint8_t*>(value);
  std::size_t n = size > 0 ? static_cast<std::size_t>(size) : 0;
  if (size == 0) {
    if (typeCode == kTypeInteger) n = 4;
    if (typeCode == kTypeByte) n = 1;
    if (typeCode == kTypeText) n = std::strlen(static_cast<const char*>(value)) + 1;
  }
  return std::vector<std::uint8_t>(bytes, bytes + n);
}

}  // namespace

std::uint32_t RegistryPut::integer() const {
  std::uint32_t v = 0;
  std::memcpy(&v, bytes.data(), std::min<std::size_t>(bytes.size(), sizeof v));
  return v;
}

std::string RegistryPut::text() const {
  auto end = std::find(bytes.begin(), bytes.end(), 0);
  return std::string(bytes.begin(), end);
}

RegistryDict::RegistryDict(RegistryCache& cache, std::size_t entry, std::string name)
    : Counted(cache.log(), std::move(name), kNoId), cache_(cache), entry_(entry) {}

XtraResult XTRA_CALL RegistryDict::Put(std::int32_t typeCode, const void* value, std::int32_t size,
                                       const char* key) {
  RegistryPut put{
      entry_,   typeCode, copyValue(typeCode, value, size), size, key != nullptr ? key : "",
      xtra::kOk};
  const std::string entry = name() + ".Put(" + std::to_string(typeCode) + ", " +
                            std::to_string(size) + ", " + quoted(put.key) + ")";
  log().add(entry);
  if (log().failureFor(entry) != CallLog::Failure::None) put.result = kSweptFailure;
  return cache_.recordPut(std::move(put));
}

RegistryCache::RegistryCache(CallLog& log) : Counted(log, "RegistryCache", kNoId) {}

RegistryCache::~RegistryCache() = default;

XtraResult XTRA_CALL RegistryCache::AddEntry(void* xtraDict, const GUID* classId, const GUID* iid,
                                             HostRegistryDict** out) {
  const std::string line =
      "RegistryCache.AddEntry(" + guidName(classId) + ", " + guidName(iid) + ")";
  log().add(line);
  RegistryEntry entry{xtraDict, classId ? *classId : kNoId, iid ? *iid : kNoId, xtra::kOk, npos};
  const std::size_t recorded = entries_.size();
  void** emptied = reinterpret_cast<void**>(out);
  const XtraResult code = sweptCall(
      log(), line, [&] { return addEntry(entry, out); }, emptied);
  if (entries_.size() == recorded) entries_.push_back(entry);  // refused before it was added
  entries_.back().result = code;
  return code;
}

XtraResult RegistryCache::addEntry(RegistryEntry entry, HostRegistryDict** out) {
  if (out == nullptr) {
    entry.result = xtra::kNotAvailable;
    entries_.push_back(entry);
    return entry.result;
  }
  entry.dict = dicts_.size();
  dicts_.push_back(std::make_unique<RegistryDict>(
      *this, entries_.size(), "RegistryDict#" + std::to_string(entry.dict + 1)));
  entries_.push_back(entry);
  *out = dicts_.back().get();  // the cache keeps the dictionary: no reference for the module
  return xtra::kOk;
}

XtraResult RegistryCache::recordPut(RegistryPut put) {
  const XtraResult result = put.result;
  puts_.push_back(std::move(put));
  return result;
}

const RegistryPut* RegistryCache::findPut(const std::string& key) const {
  for (auto it = puts_.rbegin(); it != puts_.rend(); ++it) {
    if (it->key == key) return &*it;
  }
  return nullptr;
}

}  // namespace xtrahost
