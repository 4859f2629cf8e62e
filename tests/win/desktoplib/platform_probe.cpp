// Prints what the library says about the platform it runs on, for tests that run it under a
// simulated Windows version.
#include <cstdio>

#include "desktoplib/desktoplib.h"

int main() {
  CString mediaDir;
  getShockwaveMediaDir(mediaDir);
  std::printf("win9x %d\nmedia %s\n", isWin9x() ? 1 : 0, static_cast<const char*>(mediaDir));
  return 0;
}
