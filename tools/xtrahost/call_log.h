// The host's record of every call the module makes into it, in order, as readable lines such as
// "Values.IntegerToValue(1)" or "AppInfo.Release", shared by all host interfaces of one Host.
// It also numbers the calls that can fail, across all interfaces, so that a test can make call
// number k fail whatever operation it is (a sweep over k reaches every failure the module meets).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace xtrahost {

class CallLog {
 public:
  void add(std::string entry);
  void clear() { entries_.clear(); }

  const std::vector<std::string>& entries() const { return entries_; }
  std::size_t count(const std::string& entry) const;
  bool contains(const std::string& entry) const { return count(entry) != 0; }
  // Position of the first entry equal to the text at or after `from`, or npos.
  std::size_t find(const std::string& entry, std::size_t from = 0) const;
  // True when every given entry occurs, in this order (other entries may come between).
  bool inOrder(const std::vector<std::string>& sequence) const;
  // The entries that begin with the prefix, e.g. "Allocator." or "Object#1.".
  std::vector<std::string> startingWith(const std::string& prefix) const;

  // How call number k fails: with kSweptFailure and the out-argument left empty, or with
  // kSweptFailure although the out-argument was filled (a reference handed out, a value
  // written). An allocation fails by giving no block either way; reference operations and frees
  // never fail.
  enum class Failure { None, EmptyOut, FilledOut };
  // Call number k (from 1) of those that can fail is to fail; 0 fails none.
  void failCallNumber(std::uint32_t k, Failure style = Failure::EmptyOut) {
    failAt_ = k;
    style_ = style;
    fallibleCalls_ = 0;
    failedCall_.clear();
  }
  // Each operation that can fail asks this once with its entry: counts the call and says
  // whether it is the one to fail, and how (None for every other call).
  Failure failureFor(const std::string& call);
  // The calls that could have failed since failCallNumber, and the entry of the one that did.
  std::uint32_t fallibleCalls() const { return fallibleCalls_; }
  const std::string& failedCall() const { return failedCall_; }
  // Number of entries when the failed call returned: what the module did after it follows.
  std::size_t failedCallEnd() const { return failedCallEnd_; }
  void failedCallReturned() { failedCallEnd_ = entries_.size(); }

  // Also hands every new entry to a sink (the program's verbose trace); none by default.
  void setSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  std::vector<std::string> entries_;
  std::uint32_t failAt_ = 0;
  std::uint32_t fallibleCalls_ = 0;
  Failure style_ = Failure::EmptyOut;
  std::string failedCall_;
  std::size_t failedCallEnd_ = 0;
  std::function<void(const std::string&)> sink_;
};

}  // namespace xtrahost
