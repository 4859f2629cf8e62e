#include "host_codes.h"

#include <cstdio>

namespace xtrahost {

std::string codeText(XtraResult code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX",
                static_cast<unsigned long>(static_cast<std::uint32_t>(code)));
  return text;
}

}  // namespace xtrahost
