#include "script/game_path.h"

#include <cstring>

namespace xtra {

namespace {

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool sameNameIgnoringCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    if (asciiLower(*a) != asciiLower(*b)) return false;
    if (*a == '\0') return true;
  }
}

bool composeGameModulePath(const char* installDir, const char* name, char* out,
                           std::size_t outSize) {
  if (outSize == 0) return false;
  out[0] = '\0';
  const std::size_t dirLength = std::strlen(installDir);
  const bool hasSeparator = dirLength > 0 && installDir[dirLength - 1] == '\\';
  const std::size_t separator = hasSeparator ? 0 : 1;
  const std::size_t folderLength = sizeof kGameModuleFolder - 1;
  const std::size_t nameLength = std::strlen(name);
  if (dirLength + separator + folderLength + nameLength + 1 > outSize) return false;
  char* p = out;
  std::memcpy(p, installDir, dirLength);
  p += dirLength;
  if (!hasSeparator) *p++ = '\\';
  std::memcpy(p, kGameModuleFolder, folderLength);
  p += folderLength;
  std::memcpy(p, name, nameLength + 1);
  return true;
}

}  // namespace xtra
