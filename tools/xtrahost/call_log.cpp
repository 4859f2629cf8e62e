#include "call_log.h"

#include <algorithm>

namespace xtrahost {

void CallLog::add(std::string entry) {
  if (sink_) sink_(entry);
  entries_.push_back(std::move(entry));
}

CallLog::Failure CallLog::failureFor(const std::string& call) {
  if (++fallibleCalls_ != failAt_) return Failure::None;
  failedCall_ = call;
  failedCallReturned();
  return style_;
}

std::size_t CallLog::count(const std::string& entry) const {
  return static_cast<std::size_t>(std::count(entries_.begin(), entries_.end(), entry));
}

std::size_t CallLog::find(const std::string& entry, std::size_t from) const {
  for (std::size_t i = from; i < entries_.size(); ++i) {
    if (entries_[i] == entry) return i;
  }
  return npos;
}

bool CallLog::inOrder(const std::vector<std::string>& sequence) const {
  std::size_t next = 0;
  for (const std::string& wanted : sequence) {
    const std::size_t at = find(wanted, next);
    if (at == npos) return false;
    next = at + 1;
  }
  return true;
}

std::vector<std::string> CallLog::startingWith(const std::string& prefix) const {
  std::vector<std::string> out;
  for (const std::string& e : entries_) {
    if (e.compare(0, prefix.size(), prefix) == 0) out.push_back(e);
  }
  return out;
}

}  // namespace xtrahost
