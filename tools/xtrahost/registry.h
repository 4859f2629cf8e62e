// The host's registration cache and the dictionaries of its entries. Every AddEntry and every
// Put is recorded (a Put with a copy of the value's bytes); either fails through
// CallLog::failCallNumber. The cache keeps the dictionary of each entry:
// AddEntry lends it without a reference, so any Release of it by the module is an underflow.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "counted.h"
#include "injection.h"

namespace xtrahost {

class RegistryCache;

struct RegistryEntry {
  const void* xtraDict;  // the dictionary argument as the module passed it
  GUID classId;
  GUID interfaceId;
  XtraResult result;
  std::size_t dict;  // index into RegistryCache::dicts(), or npos when the add failed
};

struct RegistryPut {
  std::size_t entry;  // index into RegistryCache::entries()
  std::int32_t typeCode;
  std::vector<std::uint8_t> bytes;  // what the host copied
  std::int32_t size;                // the size argument as given
  std::string key;
  XtraResult result;

  // The value read as the type codes 3 (32-bit integer), 6 (byte) and 9 (text) store it.
  std::uint32_t integer() const;
  std::string text() const;
};

// Type codes of the values the module puts.
constexpr std::int32_t kTypeInteger = 3;
constexpr std::int32_t kTypeByte = 6;
constexpr std::int32_t kTypeText = 9;

class RegistryDict : public Counted<HostRegistryDict> {
 public:
  RegistryDict(RegistryCache& cache, std::size_t entry, std::string name);

  XTRAHOST_RESERVED(3)
  XTRAHOST_RESERVED(4)
  XTRAHOST_RESERVED(5)
  XtraResult XTRA_CALL Put(std::int32_t typeCode, const void* value, std::int32_t size,
                           const char* key) override;

 private:
  RegistryCache& cache_;
  std::size_t entry_;
};

class RegistryCache : public Counted<HostRegistryCache> {
 public:
  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

  explicit RegistryCache(CallLog& log);
  ~RegistryCache() override;

  XTRAHOST_RESERVED(3)
  XTRAHOST_RESERVED(4)
  XTRAHOST_RESERVED(5)
  XTRAHOST_RESERVED(6)
  XtraResult XTRA_CALL AddEntry(void* xtraDict, const GUID* classId, const GUID* iid,
                                HostRegistryDict** out) override;

  // The opaque Xtra dictionary that the host passes to Register.
  void* xtraDict() { return &xtraDictToken_; }

  const std::vector<RegistryEntry>& entries() const { return entries_; }
  const std::vector<RegistryPut>& puts() const { return puts_; }
  const std::vector<std::unique_ptr<RegistryDict>>& dicts() const { return dicts_; }
  // The last put under the key, or null.
  const RegistryPut* findPut(const std::string& key) const;

 private:
  friend class RegistryDict;
  XtraResult addEntry(RegistryEntry entry, HostRegistryDict** out);
  XtraResult recordPut(RegistryPut put);

  int xtraDictToken_ = 0;
  std::vector<RegistryEntry> entries_;
  std::vector<RegistryPut> puts_;
  std::vector<std::unique_ptr<RegistryDict>> dicts_;
};

}  // namespace xtrahost
