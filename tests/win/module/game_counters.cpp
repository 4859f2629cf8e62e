#include "module/game_counters.h"

#include <windows.h>

#include <cstdlib>

namespace zorvtest {

int gameModuleCounter(const std::string& what, const std::string& variant) {
  char value[32] = "0";
  GetEnvironmentVariableA(("TGM_" + what + "_" + variant).c_str(), value, sizeof value);
  return std::atoi(value);
}

void resetGameModuleCounters() {
  for (const char* what : {"START", "SCORE", "STOP", "ATTACHES"}) {
    for (const char* variant : {"tgm_all", "tgm_noscore", "tgm_empty", "tgm_false"}) {
      SetEnvironmentVariableA((std::string("TGM_") + what + "_" + variant).c_str(), nullptr);
    }
  }
}

}  // namespace zorvtest
