#include "report.h"

#include <cstdio>
#include <set>
#include <sstream>

#include "guid_text.h"
#include "host_codes.h"

namespace xtrahost {

namespace {

std::string hex32(std::uint32_t v) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(v));
  return text;
}

std::string knownName(const GUID& id) {
  const std::string name = guidName(id);
  return name[0] == '{' ? "" : " (" + name + ")";
}

void printPutValue(const RegistryPut& put, std::ostream& out) {
  if (put.typeCode == kTypeText) {
    const std::string text = put.text();
    out << ": text, " << text.size() << " characters\n";
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) out << "        | " << line << "\n";
  } else if (put.typeCode == kTypeInteger || put.typeCode == kTypeByte) {
    out << ": " << put.integer() << " (" << put.bytes.size() << " byte"
        << (put.bytes.size() == 1 ? "" : "s") << ")\n";
  } else {
    out << ": " << put.bytes.size() << " bytes\n";
  }
}

}  // namespace

bool printClassTable(LoadedModule& module, std::ostream& out) {
  const ClassInfo info = module.classInfo();
  out << "Class table (DllGetClassInfo " << codeText(info.code) << "):\n";
  if (info.code != xtra::kOk) return false;
  std::set<std::string> sized;
  for (const ClassInfoEntry& e : info.entries) {
    out << "  class " << guidText(e.classId) << knownName(e.classId) << " version "
        << hex32(e.classVersion) << "\n"
        << "    interface " << guidText(e.interfaceId) << knownName(e.interfaceId) << " version "
        << hex32(e.interfaceVersion) << "\n";
    if (sized.insert(guidText(e.classId)).second) {
      const ClassForm form = module.classForm(&e.classId);
      out << "    instance size " << form.instanceSize << " bytes (DllGetClassForm "
          << codeText(form.code) << ")\n";
    }
  }
  if (!info.terminated) out << "  warning: no terminating entry inside the table's block\n";
  return true;
}

XtraResult printRegistration(LoadedModule& module, std::ostream& out) {
  Host& host = module.host();
  const std::size_t firstEntry = host.registry.entries().size();
  const std::size_t firstPut = host.registry.puts().size();
  const XtraResult code = module.registerModule();
  out << "Registration (Register " << codeText(code) << "):\n";
  const auto& entries = host.registry.entries();
  const auto& puts = host.registry.puts();
  for (std::size_t i = firstEntry; i < entries.size(); ++i) {
    const RegistryEntry& e = entries[i];
    out << "  entry " << guidText(e.classId) << knownName(e.classId) << "\n"
        << "    interface " << guidText(e.interfaceId) << knownName(e.interfaceId) << ", AddEntry "
        << codeText(e.result) << "\n";
    for (std::size_t p = firstPut; p < puts.size(); ++p) {
      if (puts[p].entry != i) continue;
      out << "      put \"" << puts[p].key << "\" type " << puts[p].typeCode << " size "
          << puts[p].size << " -> " << codeText(puts[p].result);
      printPutValue(puts[p], out);
    }
  }
  return code;
}

}  // namespace xtrahost
