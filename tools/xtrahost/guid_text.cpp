#include "guid_text.h"

#include <cstdio>
#include <cstring>

#include "host/host_interfaces.h"
#include "host/identifiers.h"

namespace xtrahost {

std::string guidText(const GUID& id) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1],
                id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
  return text;
}

namespace {

bool hexValue(char c, unsigned* out) {
  if (c >= '0' && c <= '9')
    *out = static_cast<unsigned>(c - '0');
  else if (c >= 'a' && c <= 'f')
    *out = static_cast<unsigned>(c - 'a' + 10);
  else if (c >= 'A' && c <= 'F')
    *out = static_cast<unsigned>(c - 'A' + 10);
  else
    return false;
  return true;
}

}  // namespace

std::optional<GUID> parseGuid(const std::string& text) {
  std::string s = text;
  if (s.size() == 38 && s.front() == '{' && s.back() == '}') s = s.substr(1, 36);
  if (s.size() != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-') {
    return std::nullopt;
  }
  std::uint8_t bytes[16];
  std::size_t pos = 0;
  for (std::uint8_t& b : bytes) {
    if (s[pos] == '-') ++pos;
    unsigned hi = 0;
    unsigned lo = 0;
    if (!hexValue(s[pos], &hi) || !hexValue(s[pos + 1], &lo)) return std::nullopt;
    b = static_cast<std::uint8_t>(hi * 16 + lo);
    pos += 2;
  }
  GUID id{};
  id.Data1 =
      (static_cast<std::uint32_t>(bytes[0]) << 24) | (bytes[1] << 16) | (bytes[2] << 8) | bytes[3];
  id.Data2 = static_cast<std::uint16_t>((bytes[4] << 8) | bytes[5]);
  id.Data3 = static_cast<std::uint16_t>((bytes[6] << 8) | bytes[7]);
  std::memcpy(id.Data4, bytes + 8, 8);
  return id;
}

namespace {

struct KnownId {
  const GUID* id;
  const char* name;
};

const KnownId kKnownIds[] = {
    {&xtra::ids::kRegistrationClass, "RegistrationClass"},
    {&xtra::ids::kScriptClass, "ScriptClass"},
    {&xtra::ids::kRegistrationInterface, "RegistrationInterface"},
    {&xtra::ids::kScriptInterface, "ScriptInterface"},
    {&xtra::ids::kClassFactory, "ClassFactory"},
    {&xtra::ids::kLoadControl, "LoadControl"},
    {&xtra::ids::kHostAppInfo, "HostAppInfo"},
    {&xtra::ids::kHostValues, "HostValues"},
    {&xtra::ids::kHostScriptEngine, "HostScriptEngine"},
    {&xtra::ids::kHeldInterface1, "HeldInterface1"},
    {&xtra::ids::kHeldInterface5, "HeldInterface5"},
    {&xtra::ids::kHeldInterface6, "HeldInterface6"},
    {&xtra::ids::kHeldInterface7, "HeldInterface7"},
    {&xtra::ids::kHeldInterface11, "HeldInterface11"},
    {&xtra::ids::kHostObjectClass, "HostObjectClass"},
    {&xtra::ids::kHostObjectIface, "HostObjectIface"},
};

}  // namespace

std::string guidName(const GUID& id) {
  for (const KnownId& known : kKnownIds) {
    if (xtra::sameId(*known.id, id)) return known.name;
  }
  return guidText(id);
}

std::string guidName(const GUID* id) { return id == nullptr ? "none" : guidName(*id); }

bool GuidLess::operator()(const GUID& a, const GUID& b) const {
  return std::memcmp(&a, &b, sizeof(GUID)) < 0;
}

}  // namespace xtrahost
