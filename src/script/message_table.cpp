#include "script/message_table.h"

namespace xtra {

#define ZORV_MESSAGE_TABLE                               \
  "xtra ZORVgame -- game xtra\n"                         \
  "new object me\n"                                      \
  "-- MISC --\n"                                         \
  "* gameLoadDLLzorv string sFilename --\n"              \
  "* gameStartDlgzorv --\n"                              \
  "* gameScoreDlgzorv string sScoreInfo --\n"            \
  "* gameStopDlgzorv --\n"                               \
  "callAFunction object me, symbol otherHandler, * --\n" \
  "callACommand  object me, symbol otherHandler, * --\n"

static_assert(sizeof(ZORV_MESSAGE_TABLE) == 276, "275 characters and the terminator");
const char kMessageTable[276] = ZORV_MESSAGE_TABLE;

#undef ZORV_MESSAGE_TABLE

}  // namespace xtra
