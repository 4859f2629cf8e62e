// GameModules for the bridge tests, one source built in several variants:
//   TGM_START_MODE  1 writes a text naming the variant, 2 returns true without writing,
//                   0 returns false, undefined: no start export at all
//   TGM_SCORE_MODE  1 answers the length it received, 2 answers a negative number,
//                   undefined: no score export at all
//   TGM_STOP_RESULT what the stop export answers; undefined: no stop export at all
// Every process attach adds 1 to the environment variable TGM_ATTACHES_<variant>, so a test
// can tell whether a module was loaded again; every score call is counted the same way.
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

#include "sdk/zorv_game_module.h"

#define TGM_STR2(x) #x
#define TGM_STR(x) TGM_STR2(x)

static void bump(const char* what) {
  char name[64];
  char value[32] = "0";
  snprintf(name, sizeof name, "TGM_%s_%s", what, TGM_STR(TGM_VARIANT));
  GetEnvironmentVariableA(name, value, sizeof value);
  snprintf(value, sizeof value, "%ld", atol(value) + 1);
  SetEnvironmentVariableA(name, value);
}

#ifdef TGM_START_MODE
ZORV_GAME_EXPORT ZorvGameBool ZORV_GAME_CALL fnGameStartDlgzorv(char* text, int size) {
#if TGM_START_MODE == 1
  snprintf(text, (size_t)size, "start:%s:%d", TGM_STR(TGM_VARIANT), size);
#else
  (void)text;
  (void)size;
#endif
  return TGM_START_MODE != 0;
}
#endif

#ifdef TGM_SCORE_MODE
ZORV_GAME_EXPORT int ZORV_GAME_CALL fnGameScoreDlgzorv(const char* scoreText, int length) {
  (void)scoreText;
  bump("SCORE");
  return TGM_SCORE_MODE == 1 ? length : -123456;
}
#endif

#ifdef TGM_STOP_RESULT
ZORV_GAME_EXPORT ZorvGameBool ZORV_GAME_CALL fnGameStopDlgzorv(void) {
  return (ZorvGameBool)TGM_STOP_RESULT;
}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reserved;
  if (reason == DLL_PROCESS_ATTACH) bump("ATTACHES");
  return TRUE;
}
