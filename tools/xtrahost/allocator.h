// The host's allocator with accounting (every request, every block alive, every free) and
// failure injection: fail the next N requests (then succeed again, e.g. to let a new-handler
// retry win), or fail every request (and CallLog::failCallNumber).
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "counted.h"
#include "injection.h"

namespace xtrahost {

class Allocator : public Counted<HostAllocator> {
 public:
  struct Request {
    std::uint32_t size;
    bool granted;
  };

  explicit Allocator(CallLog& log);
  ~Allocator() override;

  void* XTRA_CALL Allocate(std::uint32_t size) override;
  void XTRA_CALL Free(void* block) override;

  // Failure injection. A request fails when any rule applies; a counted rule is used up by
  // the requests that it fails.
  void failNext(std::uint32_t count) { failNext_ = count; }
  void failAlways(bool on = true) { failAlways_ = on; }

  // Accounting.
  const std::vector<Request>& requests() const { return requests_; }
  std::vector<std::uint32_t> grantedSizes() const;
  std::uint32_t failures() const;
  std::uint32_t frees() const { return frees_; }
  std::uint32_t nullFrees() const { return nullFrees_; }
  // Frees of blocks that this allocator did not give out (or gave out and took back already).
  std::uint32_t foreignFrees() const { return foreignFrees_; }
  std::size_t liveBlocks() const { return live_.size(); }
  std::uint64_t liveBytes() const;
  std::optional<std::uint32_t> blockSize(const void* block) const;
  void resetAccounting();

 private:
  bool shouldFail();

  std::vector<Request> requests_;
  std::map<const void*, std::uint32_t> live_;
  std::uint32_t frees_ = 0;
  std::uint32_t nullFrees_ = 0;
  std::uint32_t foreignFrees_ = 0;
  std::uint32_t failNext_ = 0;
  bool failAlways_ = false;
};

}  // namespace xtrahost
