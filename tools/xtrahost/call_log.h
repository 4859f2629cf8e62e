// The host's record of every call the module makes into it, in order, as readable lines such as
// "Values.IntegerToValue(1)" or "AppInfo.Release", shared by all host interfaces of one Host.
#pragma once

#include <cstddef>
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

  // Also hands every new entry to a sink (the program's verbose trace); none by default.
  void setSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }

  static constexpr std::size_t npos = static_cast<std::size_t>(-1);

 private:
  std::vector<std::string> entries_;
  std::function<void(const std::string&)> sink_;
};

}  // namespace xtrahost
