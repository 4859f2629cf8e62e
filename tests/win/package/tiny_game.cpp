// The smallest game built from the package alone: the start dialog names the current world's
// folder, the score dialog adds the score to a total kept in the world's statistics.
#include <cstdio>
#include <cstdlib>

#include "zorv_desktop.h"
#include "zorv_game_module.h"

ZorvGameBool fnGameStartDlgzorv(char* text, int size) {
  char world[ZORV_DESKTOP_PATH_SIZE];
  return getWorldDir(world) && std::snprintf(text, size, "%s", world) < size;
}

int fnGameScoreDlgzorv(const char* scoreText, int) {
  char total[16];
  getGameStat("TinyTotal", total, sizeof total);
  int sum = std::atoi(total) + std::atoi(scoreText);
  std::snprintf(total, sizeof total, "%d", sum);
  setGameStat("TinyTotal", total);
  return sum;
}

ZorvGameBool fnGameStopDlgzorv() { return true; }
