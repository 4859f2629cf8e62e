#include "temporary_installation.h"

#include <shlwapi.h>
#include <windows.h>

#include <stdexcept>
#include <vector>

namespace xtrahost {

namespace {

constexpr char kKeyPath[] = "SOFTWARE\\ZORV";
constexpr char kMainDir[] = "MainDir";
constexpr char kCurrMovie[] = "CurrMovie";
// "CurrMovie" is read back into 128 bytes: a longer world name would never stay current.
constexpr std::size_t kLongestWorldName = 127;

// An open registry key, closed when it goes.
class Key {
 public:
  explicit Key(HKEY key = nullptr) : key_(key) {}
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_;
};

std::string baseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void makeFolder(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    throw std::runtime_error("cannot create folder '" + path + "': error " +
                             std::to_string(GetLastError()));
  }
}

// A folder of this run's own: one that an earlier process of the same number left behind is
// not taken over (its files would be removed with ours, or ours left with its).
std::string makeFreshFolder(const std::string& base) {
  for (int n = 1; n < 1000; ++n) {
    const std::string path = n == 1 ? base : base + "_" + std::to_string(n);
    if (CreateDirectoryA(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw std::runtime_error("cannot create a folder '" + base + "': error " +
                           std::to_string(GetLastError()));
}

// A REG_SZ value of any length, or nothing when it is missing or of another type.
std::optional<std::string> readText(HKEY key, const char* name) {
  DWORD size = 0;
  DWORD type = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  // One byte more than stored, zeroed: a text written without its terminator still ends.
  std::vector<char> text(static_cast<std::size_t>(size) + 1, '\0');
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::string(text.data());
}

LONG writeText(HKEY key, const char* name, const std::string& text) {
  return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>(text.size() + 1));
}

// A world is one folder below Desktops and one key below SOFTWARE\ZORV: a plain name.
void checkWorldName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") {
    throw std::runtime_error("a world needs a folder name");
  }
  if (name.size() > kLongestWorldName) {
    throw std::runtime_error("world name longer than " + std::to_string(kLongestWorldName) +
                             " characters: it could not be recorded as the current world");
  }
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 32 ||
        std::string("\\/:*?\"<>|").find(c) != std::string::npos) {
      throw std::runtime_error("world name '" + name + "' is no plain folder name");
    }
  }
  if (name.back() == ' ' || name.back() == '.') {
    throw std::runtime_error("world name '" + name + "' ends with a blank or a dot");
  }
}

}  // namespace

TemporaryInstallation::TemporaryInstallation(bool trailingBackslash)
    : trailingBackslash_(trailingBackslash) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  folder_ = makeFreshFolder(std::string(temp) + "xtrahost_install_" +
                            std::to_string(GetCurrentProcessId()));
  makeFolder(folder_ + "\\ZORV_Desktop");
  makeFolder(xtrasFolder());
  try {
    recordMainDir();
  } catch (...) {
    removeFolders();
    throw;
  }
}

void TemporaryInstallation::removeFolders() {
  for (const std::string& file : installed_) DeleteFileA(file.c_str());
  for (const std::string& world : worlds_) {
    const std::string worldFolder = desktopsFolder() + "\\" + world;
    DeleteFileA((worldFolder + "\\" + world + ".dcr").c_str());
    RemoveDirectoryA(worldFolder.c_str());
  }
  RemoveDirectoryA(desktopsFolder().c_str());
  RemoveDirectoryA(xtrasFolder().c_str());
  RemoveDirectoryA((folder_ + "\\ZORV_Desktop").c_str());
  RemoveDirectoryA(folder_.c_str());
}

void TemporaryInstallation::recordMainDir() {
  Key key;
  DWORD disposition = 0;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, key.out(), &disposition);
  if (status != ERROR_SUCCESS) {
    throw std::runtime_error("cannot open HKLM\\SOFTWARE\\ZORV: error " + std::to_string(status));
  }
  createdKey_ = disposition == REG_CREATED_NEW_KEY;
  char previous[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;
  DWORD type = 0;
  if (RegQueryValueExA(key.get(), kMainDir, nullptr, &type, reinterpret_cast<BYTE*>(previous),
                       &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    previousMainDir_ = previous;
  }
  rememberCurrMovie(key.get());
  const std::string mainDir = folder_ + (trailingBackslash_ ? "\\" : "");
  status =
      RegSetValueExA(key.get(), kMainDir, 0, REG_SZ, reinterpret_cast<const BYTE*>(mainDir.c_str()),
                     static_cast<DWORD>(mainDir.size() + 1));
  if (status != ERROR_SUCCESS) {
    restoreKey();
    throw std::runtime_error("cannot write MainDir: error " + std::to_string(status));
  }
}

// The library rewrites "CurrMovie" when it chooses a world, so it is put back in any case.
void TemporaryInstallation::rememberCurrMovie(HKEY key) {
  previousCurrMovie_ = readText(key, kCurrMovie);
  currMovieRemembered_ = true;
}

void TemporaryInstallation::restoreKey() {
  if (createdKey_) {
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kKeyPath);
    return;
  }
  Key key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_ALL_ACCESS, key.out()) != ERROR_SUCCESS) {
    return;
  }
  for (const std::string& world : createdWorldKeys_) SHDeleteKeyA(key.get(), world.c_str());
  const auto putBack = [&key](const char* name, const std::optional<std::string>& previous) {
    if (previous) {
      writeText(key.get(), name, *previous);
    } else {
      RegDeleteValueA(key.get(), name);
    }
  };
  putBack(kMainDir, previousMainDir_);
  if (currMovieRemembered_) putBack(kCurrMovie, previousCurrMovie_);
}

std::string TemporaryInstallation::addGameModule(const std::string& file, const std::string& name) {
  const std::string target = xtrasFolder() + "\\" + (name.empty() ? baseName(file) : name);
  if (!CopyFileA(file.c_str(), target.c_str(), FALSE)) {
    throw std::runtime_error("cannot copy '" + file + "' to '" + target + "': error " +
                             std::to_string(GetLastError()));
  }
  installed_.push_back(target);
  return target;
}

std::string TemporaryInstallation::addWorld(const std::string& name) {
  checkWorldName(name);
  const std::string worldFolder = desktopsFolder() + "\\" + name;
  const std::string movie = worldFolder + "\\" + name + ".dcr";
  if (movie.size() >= MAX_PATH) {
    throw std::runtime_error("the movie file's path would have more than " +
                             std::to_string(MAX_PATH - 1) + " characters: " + movie);
  }
  makeFolder(desktopsFolder());
  makeFolder(worldFolder);
  worlds_.push_back(name);
  HANDLE file = CreateFileA(movie.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    throw std::runtime_error("cannot create '" + movie + "': error " +
                             std::to_string(GetLastError()));
  }
  CloseHandle(file);

  Key world;
  DWORD disposition = 0;
  const std::string worldKey = std::string(kKeyPath) + "\\" + name;
  LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, worldKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, world.out(), &disposition);
  if (status != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create HKLM\\" + worldKey + ": error " +
                             std::to_string(status));
  }
  // A world key that an installation had already stays, with whatever games store in it.
  if (disposition == REG_CREATED_NEW_KEY) createdWorldKeys_.push_back(name);

  Key install;
  status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_SET_VALUE, install.out());
  if (status == ERROR_SUCCESS) status = writeText(install.get(), kCurrMovie, name);
  if (status != ERROR_SUCCESS) {
    throw std::runtime_error("cannot record the current world: error " + std::to_string(status));
  }
  return movie;
}

std::optional<std::string> TemporaryInstallation::statistic(const std::string& name) const {
  Key install;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_READ, install.out()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const std::optional<std::string> world = readText(install.get(), kCurrMovie);
  Key worldKey;
  if (!world || world->empty() ||
      RegOpenKeyExA(install.get(), world->c_str(), 0, KEY_READ, worldKey.out()) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return readText(worldKey.get(), name.c_str());
}

TemporaryInstallation::~TemporaryInstallation() {
  restoreKey();
  removeFolders();
}

}  // namespace xtrahost
