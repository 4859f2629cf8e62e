// Buffer forms of the library operations that have a string form only, for GameModules, which
// see no CString (zorv_desktop.h says why). Part of the games' static library only.
#include <cstring>

#include "desktoplib/desktoplib.h"
#include "sdk/zorv_desktop.h"

namespace {

// Copies a text into a caller's buffer of ZORV_DESKTOP_PATH_SIZE bytes. A path cut short would
// name another folder, so a text that does not fit is refused and the buffer left empty.
bool copyWhole(const CString& text, char* buffer) {
  if (text.GetLength() >= ZORV_DESKTOP_PATH_SIZE) {
    buffer[0] = '\0';
    return false;
  }
  std::memcpy(buffer, static_cast<const char*>(text),
              static_cast<std::size_t>(text.GetLength()) + 1);
  return true;
}

}  // namespace

bool getWorldDir(char* dir) {
  if (dir == nullptr) return false;
  CString text;
  getWorldDir(text);
  return copyWhole(text, dir);
}

bool getShockwaveMediaDir(char* dir) {
  if (dir == nullptr) return false;
  CString text;
  getShockwaveMediaDir(text);
  return copyWhole(text, dir);
}

int hashString(const char* text) { return text != nullptr ? hashString(CString(text)) : 0; }
