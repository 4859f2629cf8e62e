#!/usr/bin/env bash
# Creates (once) the Wine prefix of one build folder and starts a persistent wineserver for it.
# Called by the CTest fixture that every Wine test requires.
set -euo pipefail
prefix="$1"
export WINEPREFIX="$prefix" WINEDEBUG=-all
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  "$wineserver" -k || true
  "$wineserver" -w || true
fi
# A persistent server keeps later program starts fast; its output must not hold CTest's pipe.
"$wineserver" -p60 </dev/null >/dev/null 2>&1 &
# Wine's background services start with the first program; start them here, away from CTest's
# pipe, or the first test holds it open until they quit (about 60 s).
/usr/lib/wine/wine64 cmd /c exit </dev/null >/dev/null 2>&1 || true
exit 0
