// A temporary ZORV installation for one test: a folder with ZORV_Desktop\Xtras, recorded as
// "MainDir" under HKLM\SOFTWARE\ZORV; both are removed again when the object goes.
#pragma once

#include <string>

namespace zorvtest {

class TemporaryInstallation {
 public:
  // trailingBackslash decides how "MainDir" is written.
  explicit TemporaryInstallation(bool trailingBackslash = false);
  ~TemporaryInstallation();
  TemporaryInstallation(const TemporaryInstallation&) = delete;
  TemporaryInstallation& operator=(const TemporaryInstallation&) = delete;

  const std::string& folder() const { return folder_; }
  std::string xtrasFolder() const { return folder_ + "\\ZORV_Desktop\\Xtras"; }
  // Copies a file from the test program's folder into the Xtras folder under a new name.
  void addGameModule(const std::string& builtName, const std::string& installedName);

 private:
  std::string folder_;
};

// Counters the test GameModules keep in the process environment (TGM_<what>_<variant>).
int gameModuleCounter(const std::string& what, const std::string& variant);
void resetGameModuleCounters();

}  // namespace zorvtest
