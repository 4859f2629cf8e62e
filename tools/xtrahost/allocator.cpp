#include "allocator.h"

#include <cstdlib>
#include <cstring>

namespace xtrahost {

namespace {

// Freshly allocated memory is filled with this byte, so that code reading it before writing
// it shows up in tests instead of finding convenient zeros.
constexpr int kFreshFill = 0xCD;
constexpr int kFreedFill = 0xDD;

// HostAllocator has no identifier of its own; it is reached through the object header only.
const GUID kNoId{};

}  // namespace

Allocator::Allocator(CallLog& log) : Counted(log, "Allocator", kNoId) {}

Allocator::~Allocator() {
  for (const auto& block : live_) std::free(const_cast<void*>(block.first));
}

bool Allocator::shouldFail() {
  if (failAlways_) return true;
  if (failNext_ > 0) {
    --failNext_;
    return true;
  }
  return false;
}

void* XTRA_CALL Allocator::Allocate(std::uint32_t size) {
  const std::string entry = "Allocator.Allocate(" + std::to_string(size) + ")";
  const bool refused = shouldFail() || log().failureFor(entry) != CallLog::Failure::None;
  void* block = refused ? nullptr : std::malloc(size == 0 ? 1 : size);
  log().add(block ? entry : entry + " -> none");
  requests_.push_back({size, block != nullptr});
  if (block != nullptr) {
    std::memset(block, kFreshFill, size);
    live_[block] = size;
  }
  return block;
}

void XTRA_CALL Allocator::Free(void* block) {
  auto it = live_.find(block);
  if (block == nullptr) {
    log().add("Allocator.Free(null)");
    ++nullFrees_;
    return;
  }
  if (it == live_.end()) {
    log().add("Allocator.Free(foreign)");
    ++foreignFrees_;
    return;
  }
  log().add("Allocator.Free(" + std::to_string(it->second) + ")");
  std::memset(block, kFreedFill, it->second);
  std::free(block);
  live_.erase(it);
  ++frees_;
}

std::vector<std::uint32_t> Allocator::grantedSizes() const {
  std::vector<std::uint32_t> sizes;
  for (const Request& r : requests_) {
    if (r.granted) sizes.push_back(r.size);
  }
  return sizes;
}

std::uint32_t Allocator::failures() const {
  std::uint32_t n = 0;
  for (const Request& r : requests_) n += r.granted ? 0 : 1;
  return n;
}

std::uint64_t Allocator::liveBytes() const {
  std::uint64_t total = 0;
  for (const auto& block : live_) total += block.second;
  return total;
}

std::optional<std::uint32_t> Allocator::blockSize(const void* block) const {
  auto it = live_.find(block);
  if (it == live_.end()) return std::nullopt;
  return it->second;
}

void Allocator::resetAccounting() {
  requests_.clear();
  frees_ = nullFrees_ = foreignFrees_ = 0;
}

}  // namespace xtrahost
