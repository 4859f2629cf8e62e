// HostAppInfo: the application's name and version as string properties 5 and 6.
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

 private:
  XtraResult readProperty(std::int32_t property, char* buffer, std::int32_t size);

  std::string name_ = "Director";
  std::string version_ = "8.5";
};

}  // namespace xtrahost
