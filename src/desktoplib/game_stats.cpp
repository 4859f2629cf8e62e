// Game statistics: named texts in the current world's registry key.
#include <cstring>

#include "common/install_registry.h"
#include "common/log.h"
#include "common/scoped_reg_key.h"
#include "desktoplib/association_text.h"
#include "desktoplib/desktoplib.h"

HKEY openWorldKey() {
  ScopedRegKey installKey(openInstallKey());
  if (!installKey) return nullptr;
  char world[MAX_PATH];
  getCurrentWorld(world);  // on false the buffer still holds a name, possibly empty
  // An empty name opens the installation key itself: without a world the statistics live
  // directly under SOFTWARE\ZORV.
  ScopedRegKey worldKey;
  if (RegOpenKeyExA(installKey.get(), world, 0, KEY_ALL_ACCESS, worldKey.receive()) !=
      ERROR_SUCCESS) {
    worldKey.reset();
    logMessage("ERROR Unable to open ZORV world key!");
  }
  return worldKey.release();
}

void getGameStat(const char* name, char* text, DWORD size) {
  // Without a name or a buffer there is nothing to read or to clear.
  if (name == nullptr || text == nullptr || size == 0) return;
  std::memset(text, 0, size);
  ScopedRegKey worldKey(openWorldKey());
  if (!worldKey) return;
  DWORD read = size;
  // Statistics are stored without a terminator, so the cleared buffer supplies it. A text as
  // long as the whole buffer has no room for one: it counts as not fitting and reads as empty,
  // rather than being delivered cut by a character.
  if (RegQueryValueExA(worldKey.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(text),
                       &read) != ERROR_SUCCESS ||
      !terminateRegistryText(text, read, size)) {
    std::memset(text, 0, size);
  }
}

void setGameStat(const char* name, const char* text) {
  if (name == nullptr || text == nullptr) return;
  ScopedRegKey worldKey(openWorldKey());
  if (!worldKey) return;
  // The byte count is the text's length: the terminator is not stored.
  if (RegSetValueExA(worldKey.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                     static_cast<DWORD>(std::strlen(text))) != ERROR_SUCCESS) {
    MessageBoxA(nullptr, "Unable to save game stat info!", "ZORV Error",
                MB_OK | MB_ICONEXCLAMATION | MB_TOPMOST);
  }
}
