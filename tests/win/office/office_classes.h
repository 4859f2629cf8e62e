// Office ProgIDs under HKEY_CLASSES_ROOT made by the tests: "<ProgID>\CLSID" naming a class
// identifier of the tests' own, and that class's "LocalServer32".
#pragma once

#include <windows.h>

#include <string>

inline void setClassesValue(const std::string& key, const std::string& text, DWORD type = REG_SZ) {
  RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, type, text.c_str(),
                  static_cast<DWORD>(text.size() + (type == REG_SZ ? 1 : 0)));
}

inline std::string testClassId(int number) {
  return "{5A0B7E21-3C44-4F19-9D2A-0000000000" + std::to_string(10 + number) + "}";
}

// The ProgID's class identifier and, unless server is null, its local server command line.
inline std::string registerOfficeServer(const char* progId, int number, const char* server) {
  setClassesValue(std::string(progId) + "\\CLSID", testClassId(number));
  if (server != nullptr)
    setClassesValue("CLSID\\" + testClassId(number) + "\\LocalServer32", server);
  return testClassId(number);
}

inline void removeOfficeServers() {
  for (int number = 0; number < 10; ++number) {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ("CLSID\\" + testClassId(number)).c_str());
  }
  for (const char* progId : {"Word", "Excel", "Outlook", "PowerPoint", "FrontPage", "Access"}) {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string(progId) + ".Application").c_str());
  }
}
