// HostAppInfo: the application's name and version as string properties 5 and 6, with a
// failure code that can be set per property (the buffer is then left untouched).
#pragma once

#include <string>
#include <vector>

#include "counted.h"
#include "injection.h"

namespace xtrahost {

class AppInfo : public Counted<HostAppInfo> {
 public:
  explicit AppInfo(CallLog& log);

  XtraResult XTRA_CALL ReadStringProperty(std::int32_t property, char* buffer,
                                          std::int32_t size) override;

  void setApplicationName(std::string name) { name_ = std::move(name); }
  void setVersion(std::string version) { version_ = std::move(version); }
  void failProperty(std::int32_t property, XtraResult code, int times = kEveryTime) {
    failures_.set(property, code, times);
  }
  void clearFailures() { failures_.clear(); }

 private:
  XtraResult readProperty(std::int32_t property, char* buffer, std::int32_t size);

  std::string name_ = "Director";
  std::string version_ = "8.5";
  InjectionMap<std::int32_t> failures_;
};

}  // namespace xtrahost
