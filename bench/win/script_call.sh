#!/usr/bin/env bash
# Runs the callAFunction benchmark of every Windows build present (build/win64 under wine64,
# build/win32 under Debian's 32-bit Wine where scripts/setup-wine32.sh prepared it), a few
# times each, alternating, so that both architectures meet the same moments of a shared machine.
#   bench/win/script_call.sh [runs] [calls per round] [rounds]
# Build first: cmake --build --preset win64 --target script_call_bench (and win32).
set -euo pipefail
cd "$(dirname "$0")/../.."
runs="${1:-3}"
shift || true
top="$PWD"
root="${ZORV_WINE32_ROOT:-/var/cache/zorvgame/wine32}"

wine_of() {
  if [ "$1" = win64 ]; then
    echo /usr/lib/wine/wine64
  elif grep -qs '^ready' "$root.status"; then
    echo "$top/cmake/wine32.sh"
  fi
}

presets=()
for preset in win64 win32; do
  if [ ! -f "build/$preset/bin/script_call_bench.exe" ]; then
    echo "$preset: not built (script_call_bench)"
  elif [ -z "$(wine_of "$preset")" ]; then
    echo "$preset: no 32-bit Wine here ($(head -n1 "$root.status" 2>/dev/null || echo 'scripts/setup-wine32.sh has not run'))"
  else
    # The build's own prefix, as its tests make it (once; later calls only start its server).
    ZORV_WINE="$(wine_of "$preset")" ZORV_WINE32_ROOT="$root" \
      cmake/wine-prefix.sh "$top/build/$preset/wineprefix" >/dev/null
    presets+=("$preset")
  fi
done

for ((run = 1; run <= runs; ++run)); do
  for preset in "${presets[@]}"; do
    (cd "build/$preset/bin" &&
      WINEPREFIX="$top/build/$preset/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=winedbg.exe=d \
        ZORV_WINE32_ROOT="$root" "$(wine_of "$preset")" script_call_bench.exe "$@")
    echo
  done
done
