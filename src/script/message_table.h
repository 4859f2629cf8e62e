// The script message table: the Xtra's script name, its methods and their arguments.
// Method numbers follow the lines ("new" is 0, comment lines take no number).
#pragma once

namespace xtra {

enum ScriptMethod : int {
  kMethodNew = 0,
  kMethodGameLoad = 1,
  kMethodGameStart = 2,
  kMethodGameScore = 3,
  kMethodGameStop = 4,
  kMethodCallFunction = 5,
  kMethodCallCommand = 6,
};

extern const char kMessageTable[276];

}  // namespace xtra
