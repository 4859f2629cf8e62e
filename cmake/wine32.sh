#!/usr/bin/env bash
# Runs a Windows program under Debian's 32-bit Wine from the tree that scripts/setup-wine32.sh
# prepared: the tree is only a library root; the program runs on the host, with the host's
# wineserver (the same Wine version). Usage like wine: wine32.sh PROGRAM [ARGUMENTS...]
root="${ZORV_WINE32_ROOT:-/var/cache/zorvgame/wine32}"
export LD_LIBRARY_PATH="$root/lib/i386-linux-gnu:$root/usr/lib/i386-linux-gnu:$root/usr/lib/i386-linux-gnu/wine/i386-unix${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
export WINELOADER="$root/usr/lib/wine/wine"
export WINESERVER=/usr/lib/wine/wineserver64
export WINEARCH=win32
exec "$root/usr/lib/wine/wine" "$@"
