#!/usr/bin/env bash
# Ends every program of one build folder's Wine prefix, the keeper among them, and its server.
# Called by the CTest fixture clean-up after the last Wine test: wine-prefix-stop.sh PREFIX
set -uo pipefail
export WINEPREFIX="$1"
wineserver=/usr/lib/wine/wineserver64
[ -x "$wineserver" ] || wineserver=/usr/lib/wine/wineserver
"$wineserver" -k 2>/dev/null
"$wineserver" -w 2>/dev/null
exit 0
