// splitPath and isRootPath: path texts only, nothing on disk. Platform-neutral.
#include <cstring>

#include "desktoplib/desktoplib.h"

void splitPath(const char* path, char* folder, char* file) {
  if (path == nullptr) return;
  // A private copy, so the outputs may share memory with the path. A path that does not fit
  // MAX_PATH bytes is no usable path and is not split at all, like one without a backslash:
  // cutting either part would name something else.
  const std::size_t length = std::strlen(path);
  if (length >= MAX_PATH) return;
  char copy[MAX_PATH];
  std::memcpy(copy, path, length + 1);

  char* separator = std::strrchr(copy, '\\');
  if (separator == nullptr) return;
  *separator = '\0';
  if (folder != nullptr) std::strcpy(folder, copy);
  if (file != nullptr) std::strcpy(file, separator + 1);
}

bool isRootPath(const char* path) {
  if (path == nullptr) return false;
  const std::size_t length = std::strlen(path);
  if (length >= 2 && path[0] == '\\' && path[1] == '\\') {
    // A bare server name: no backslash after the leading two.
    return std::strrchr(path, '\\') - path <= 1;
  }
  return length == 3 && path[2] == '\\';
}
