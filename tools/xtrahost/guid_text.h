// Identifiers as text: the registry form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, and short names
// for the identifiers this system knows (used in call-log lines).
#pragma once

#include <optional>
#include <string>

#include "common/win_types.h"

namespace xtrahost {

std::string guidText(const GUID& id);
// Parses the registry form (braces optional); nothing for malformed text.
std::optional<GUID> parseGuid(const std::string& text);
// "HostValues", "ScriptClass", ... for known identifiers, else the registry form.
std::string guidName(const GUID& id);
std::string guidName(const GUID* id);

// Orders identifiers so that they can key a map.
struct GuidLess {
  bool operator()(const GUID& a, const GUID& b) const;
};

}  // namespace xtrahost
