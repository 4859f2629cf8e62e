// A ZORV installation that lasts as long as this object: a folder in the temporary folder with
// ZORV_Desktop\Xtras inside, recorded as "MainDir" under HKEY_LOCAL_MACHINE\SOFTWARE\ZORV.
// Files installed into it must no longer be loaded when the object goes. When it goes, the folder
// is removed and the key is put back as it was (a "MainDir" that was there is restored; a key that
// this object created is deleted).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace xtrahost {

class TemporaryInstallation {
 public:
  // Throws std::runtime_error when the folder or the registry value cannot be made.
  // With trailingBackslash, "MainDir" is written with a backslash at its end.
  explicit TemporaryInstallation(bool trailingBackslash = false);
  ~TemporaryInstallation();
  TemporaryInstallation(const TemporaryInstallation&) = delete;
  TemporaryInstallation& operator=(const TemporaryInstallation&) = delete;

  // The installation folder, without a trailing backslash (as "MainDir" holds it).
  const std::string& folder() const { return folder_; }
  std::string xtrasFolder() const { return folder_ + "\\ZORV_Desktop\\Xtras"; }
  // Copies a file into the Xtras folder under the name (its own name when empty); gives the
  // installed path. Throws std::runtime_error when the copy fails.
  std::string addGameModule(const std::string& file, const std::string& name = "");

 private:
  void recordMainDir();
  void restoreKey();
  void removeFolders();

  std::string folder_;
  std::vector<std::string> installed_;
  bool trailingBackslash_ = false;
  bool createdKey_ = false;
  std::optional<std::string> previousMainDir_;
};

}  // namespace xtrahost
