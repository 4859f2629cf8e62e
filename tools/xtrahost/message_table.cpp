#include "message_table.h"

#include <sstream>

namespace xtrahost {

namespace {

std::string firstWord(const std::string& text, std::size_t from) {
  std::istringstream in(text.substr(from));
  std::string word;
  in >> word;
  return word;
}

}  // namespace

std::optional<ScriptMethod> MessageTable::find(const std::string& name) const {
  for (const ScriptMethod& m : methods) {
    if (m.name == name) return m;
  }
  return std::nullopt;
}

MessageTable parseMessageTable(const std::string& text) {
  MessageTable table;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line.compare(start, 2, "--") == 0) continue;
    if (line.compare(start, 5, "xtra ") == 0) {
      table.xtraName = firstWord(line, start + 5);
      continue;
    }
    const bool withoutInstance = line.compare(start, 2, "* ") == 0;
    const std::size_t nameAt = withoutInstance ? start + 2 : start;
    ScriptMethod method;
    method.name = firstWord(line, nameAt);
    method.number = static_cast<std::int32_t>(table.methods.size());
    const std::size_t argsAt = line.find(method.name, nameAt) + method.name.size();
    method.takesInstance =
        !withoutInstance && method.name != "new" && firstWord(line, argsAt) == "object";
    table.methods.push_back(method);
  }
  return table;
}

}  // namespace xtrahost
