#include "common/install_dir_text.h"

#include <cstring>

bool finishInstallDirText(char* dir, std::size_t bytesRead, std::size_t capacity) {
  if (bytesRead >= capacity) return false;
  dir[bytesRead] = '\0';
  const std::size_t length = std::strlen(dir);
  if (length > 0 && dir[length - 1] == '\\') return true;
  if (length + 2 > capacity) return false;
  dir[length] = '\\';
  dir[length + 1] = '\0';
  return true;
}
