#include "temporary_installation.h"

#include <windows.h>

#include <stdexcept>

namespace xtrahost {

namespace {

constexpr char kKeyPath[] = "SOFTWARE\\ZORV";
constexpr char kMainDir[] = "MainDir";

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

}  // namespace

TemporaryInstallation::TemporaryInstallation(bool trailingBackslash)
    : trailingBackslash_(trailingBackslash) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  folder_ = std::string(temp) + "xtrahost_install_" + std::to_string(GetCurrentProcessId());
  makeFolder(folder_);
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
  const std::string mainDir = folder_ + (trailingBackslash_ ? "\\" : "");
  status =
      RegSetValueExA(key.get(), kMainDir, 0, REG_SZ, reinterpret_cast<const BYTE*>(mainDir.c_str()),
                     static_cast<DWORD>(mainDir.size() + 1));
  if (status != ERROR_SUCCESS) {
    restoreKey();
    throw std::runtime_error("cannot write MainDir: error " + std::to_string(status));
  }
}

void TemporaryInstallation::restoreKey() {
  if (createdKey_) {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kKeyPath);
    return;
  }
  Key key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kKeyPath, 0, KEY_ALL_ACCESS, key.out()) != ERROR_SUCCESS) {
    return;
  }
  if (previousMainDir_) {
    RegSetValueExA(key.get(), kMainDir, 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(previousMainDir_->c_str()),
                   static_cast<DWORD>(previousMainDir_->size() + 1));
  } else {
    RegDeleteValueA(key.get(), kMainDir);
  }
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

TemporaryInstallation::~TemporaryInstallation() {
  restoreKey();
  removeFolders();
}

}  // namespace xtrahost
