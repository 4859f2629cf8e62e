// Office ProgIDs under HKEY_CLASSES_ROOT for the tests: "<ProgID>\CLSID" naming a class
// identifier of the tests' own and "CLSID\<identifier>\LocalServer32" naming a server.
#pragma once

#include <windows.h>

#include <string>

inline const char* const kOfficeProgIds[] = {"Word.Application",      "Excel.Application",
                                             "Outlook.Application",   "PowerPoint.Application",
                                             "FrontPage.Application", "Access.Application"};

inline void setClassesValue(const std::string& key, const std::string& text) {
  RegSetKeyValueA(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, text.c_str(),
                  static_cast<DWORD>(text.size() + 1));
}

// Registers progId with a class identifier made from its number and, unless server is null,
// that class's local server command line. Returns the class identifier.
inline std::string registerOfficeServer(const std::string& progId, int number, const char* server) {
  const std::string classId =
      "{5A0B7E21-3C44-4F19-9D2A-0000000000" + std::to_string(10 + number) + "}";
  setClassesValue(progId + "\\CLSID", classId);
  if (server != nullptr) setClassesValue("CLSID\\" + classId + "\\LocalServer32", server);
  return classId;
}

// Removes every key the tests may have made.
inline void removeOfficeServers() {
  for (int number = 0; number < 20; ++number) {
    RegDeleteTreeA(
        HKEY_CLASSES_ROOT,
        ("CLSID\\{5A0B7E21-3C44-4F19-9D2A-0000000000" + std::to_string(10 + number) + "}").c_str());
  }
  for (const char* progId : kOfficeProgIds) RegDeleteTreeA(HKEY_CLASSES_ROOT, progId);
}
