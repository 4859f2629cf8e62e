// A ZORV installation that lasts as long as this object: a folder in the temporary folder with
// ZORV_Desktop\Xtras inside, recorded as "MainDir" under HKEY_LOCAL_MACHINE\SOFTWARE\ZORV, and
// the worlds added to it. Files installed into it must no longer be loaded when the object goes.
// When it goes, the folder is removed and the key is put back as it was: "MainDir" and
// "CurrMovie" as they were, the world keys this object created deleted with what games stored in
// them, and a key that this object created deleted whole.
#pragma once

#include <windows.h>

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
  // Makes a world as an installer would: its folder Desktops\<name> with the movie file
  // <name>.dcr (empty) and its key SOFTWARE\ZORV\<name>, and records it as the current world
  // ("CurrMovie"). Gives the movie file's path. Throws std::runtime_error for a name that is no
  // plain folder name or is longer than 127 characters (the longest "CurrMovie" that can be read
  // back) or whose movie file's path would not fit MAX_PATH, and when the folder, the file or the
  // registry entries cannot be made.
  std::string addWorld(const std::string& name);
  // The current world's ("CurrMovie") statistic, or nothing when it or the world is not there.
  std::optional<std::string> statistic(const std::string& name) const;

 private:
  void recordMainDir();
  void restoreKey();
  void removeFolders();
  void rememberCurrMovie(HKEY key);
  std::string desktopsFolder() const { return folder_ + "\\Desktops"; }

  std::string folder_;
  std::vector<std::string> installed_;
  bool trailingBackslash_ = false;
  bool createdKey_ = false;
  std::optional<std::string> previousMainDir_;
  bool currMovieRemembered_ = false;
  std::optional<std::string> previousCurrMovie_;
  std::vector<std::string> worlds_;            // folders made, in order
  std::vector<std::string> createdWorldKeys_;  // world keys that were not there before
};

}  // namespace xtrahost
