cmake_minimum_required(VERSION 3.25)
# Runs the demo script through xtrahost and checks the transcript: exit code 0, the game's
# answers, the handlers' results, and nothing left behind.
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
    "gameScoreDlgzorv\\(\"Ada;3\"\\)\n    -> -?[0-9]+, code 0x00000000"
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
if(out MATCHES "warning")
  message(FATAL_ERROR "the transcript has a warning")
endif()
