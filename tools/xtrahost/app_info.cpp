#include "app_info.h"

#include "host/identifiers.h"
#include "text_copy.h"

namespace xtrahost {

AppInfo::AppInfo(CallLog& log) : Counted(log, "AppInfo", xtra::ids::kHostAppInfo) {}

XtraResult XTRA_CALL AppInfo::ReadStringProperty(std::int32_t property, char* buffer,
                                                 std::int32_t size) {
  const std::string entry =
      "AppInfo.ReadStringProperty(" + std::to_string(property) + ", " + std::to_string(size) + ")";
  log().add(entry);
  return sweptCall(log(), entry, [&] { return readProperty(property, buffer, size); });
}

XtraResult AppInfo::readProperty(std::int32_t property, char* buffer, std::int32_t size) {
  if (property == HostAppInfo::kApplicationName) {
    copyText(name_, buffer, size);
  } else if (property == HostAppInfo::kVersion) {
    copyText(version_, buffer, size);
  } else {
    return xtra::kNotAvailable;
  }
  return xtra::kOk;
}

}  // namespace xtrahost
