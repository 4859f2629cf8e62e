// Reads a script message table the way the host does: one line per declaration, "xtra" names
// the Xtra, lines beginning with "--" are comments, every other line declares a method whose
// number is its position among the method lines ("new" being 0). "* " before a name marks a
// method called without an instance; the others take the instance ("object me") first.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace xtrahost {

struct ScriptMethod {
  std::string name;
  std::int32_t number;
  bool takesInstance;
};

struct MessageTable {
  std::string xtraName;
  std::vector<ScriptMethod> methods;

  std::optional<ScriptMethod> find(const std::string& name) const;
};

MessageTable parseMessageTable(const std::string& text);

}  // namespace xtrahost
