#!/usr/bin/env bash
# The main job: builds the module and its tools, then the headless host loads ZORVgame.x32 and
# runs the demo script with no one at the keyboard: the shipped i686 module under Debian's
# 32-bit Wine where this machine runs 32-bit code, else the identical x86_64 build under wine64.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

status=$(head -n1 /var/cache/zorvgame/wine32.status 2>/dev/null || echo "unavailable: not prepared")
[ -n "${ZORV_WINE32_ROOT:-}" ] && status=$(head -n1 "$ZORV_WINE32_ROOT.status" 2>/dev/null || true)
if [[ "$status" == ready* ]]; then
  preset=win32
  wine="$PWD/cmake/wine32.sh"
  echo "run: the shipped i686 module under 32-bit Wine"
else
  preset=win64
  wine=/usr/lib/wine/wine64
  echo "run: the x86_64 build under wine64 (i686 ${status})"
fi

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target ZORVgame xtrahost ZorvDice

build="build/$preset"
prefix="$PWD/$build/wineprefix"
ZORV_WINE="$wine" bash cmake/wine-prefix.sh "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES=winedbg.exe=d
# The sample game answers its own dialogs.
export ZORV_GAME_UNATTENDED=1
cd "$build/bin"
exec "$wine" xtrahost.exe ZORVgame.x32 ../../../samples/demo.xts
