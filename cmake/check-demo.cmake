cmake_minimum_required(VERSION 3.25)
# Runs the demo script through xtrahost and checks the transcript: exit code 0, the game's
# answers, its record in the demo world growing over two games, the handlers' results, and
# nothing left behind.
# Usage: cmake -DHOST=<emulator;xtrahost.exe> -DSCRIPT=... -P check-demo.cmake
set(ENV{ZORV_GAME_UNATTENDED} 1)
execute_process(COMMAND ${HOST} ZORVgame.x32 ${SCRIPT}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 120)
message("${out}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "xtrahost exited with ${rc}: ${err}")
endif()
foreach(expected
    "Register 0x00000000"
    "gameLoadDLLzorv\\(\"ZorvDice.dll\"\\)\n    -> 1, code 0x00000000"
    "gameLoadDLLzorv\\(\"zorvdice.DLL\"\\)\n    -> 1, code 0x00000000"
    "gameStartDlgzorv\\(\\)\n    -> \"Player;3\", code 0x00000000"
    "world -> [^\n]+\\\\Desktops\\\\dZORV_Demo\\\\dZORV_Demo.dcr, key HKLM\\\\SOFTWARE\\\\ZORV\\\\dZORV_Demo"
    "gameStopDlgzorv\\(\\)\n    -> 1, code 0x00000000"
    "-> \"round over\", code 0x00000000"
    "-> \"Ada scored 35\", code 0x00000000"
    "-> <void>, code 0x00000000"
    "handler #broken\\(\\) fails with 0x80041006\n    -> <void>, code 0x80041006"
    "callAFunction\\(<object [0-9]+>, #nobody\\)\n    -> <void>, code 0x80041003"
    "DllCanUnloadNow 0x00000000"
    "0 blocks live")
  if(NOT out MATCHES "${expected}")
    message(FATAL_ERROR "the transcript lacks: ${expected}")
  endif()
endforeach()
# Dice Duel's record: one game, then two; the best score is the better of the two margins.
# (The setup texts' semicolons would split CMake lists: they are read as commas.)
set(margins)
set(played)
set(best)
string(REPLACE ";" "," listable "${out}")
string(REGEX MATCHALL "gameScoreDlgzorv\\(\"Ada,[34]\"\\)\n    -> -?[0-9]+, code 0x00000000"
       scores "${listable}")
foreach(score ${scores})
  string(REGEX REPLACE ".*-> (-?[0-9]+),.*" "\\1" margin "${score}")
  list(APPEND margins ${margin})
endforeach()
string(REGEX MATCHALL "stat \"DiceDuelGamesPlayed\" -> \"[^\"]*\"" lines "${out}")
foreach(line ${lines})
  string(REGEX REPLACE ".*-> \"([^\"]*)\"" "\\1" value "${line}")
  list(APPEND played ${value})
endforeach()
string(REGEX MATCHALL "stat \"DiceDuelBestScore\" -> \"[^\"]*\"" lines "${out}")
foreach(line ${lines})
  string(REGEX REPLACE ".*-> \"([^\"]*)\"" "\\1" value "${line}")
  list(APPEND best ${value})
endforeach()
list(LENGTH margins games)
if(NOT games EQUAL 2)
  message(FATAL_ERROR "expected two scored games, found: ${margins}")
endif()
list(GET margins 0 first)
list(GET margins 1 second)
set(better ${first})
if(second GREATER first)
  set(better ${second})
endif()
if(NOT played STREQUAL "1;2" OR NOT best STREQUAL "${first};${better}")
  message(FATAL_ERROR "Dice Duel's record did not grow: games ${played}, best ${best}, "
                      "margins ${first} and ${second}")
endif()
if(NOT out MATCHES "end of script: the temporary installation is removed")
  message(FATAL_ERROR "the temporary installation was not removed")
endif()
if(out MATCHES "warning")
  message(FATAL_ERROR "the transcript has a warning")
endif()
