#!/usr/bin/env bash
# Creates (once) the Wine prefix of one build folder, starts a persistent wineserver for it and
# a keeper program that holds the prefix up until the run's clean-up.
# Called by the CTest fixture that every Wine test requires: wine-prefix.sh PREFIX [KEEPER.EXE]
# ZORV_WINE names the loader (default wine64; cmake/wine32.sh for the i686 build).
set -euo pipefail
prefix="$1"
keeper="${2:-}"
wine="${ZORV_WINE:-/usr/lib/wine/wine64}"
export WINEPREFIX="$prefix" WINEDEBUG=-all
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  "$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  "$wineserver" -k || true
  "$wineserver" -w || true
fi
# The server puts itself in the background once its socket is ready, so no program below can
# race it into starting a second, short-lived server. Its output must not hold CTest's pipe.
"$wineserver" -p60 </dev/null >/dev/null 2>&1 || true
# The keeper is the prefix's first program: Wine's background services start with it, away
# from CTest's pipe, and stay up until the clean-up.
if [ -n "$keeper" ]; then
  WINEDLLOVERRIDES=winedbg.exe=d "$wine" "$keeper" </dev/null >/dev/null 2>&1 &
fi
# One short program waits for those services, so the first test does not start among them.
"$wine" cmd /c exit </dev/null >/dev/null 2>&1 || true
exit 0
