#!/usr/bin/env bash
# Creates the Wine prefix once, quietly.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot failed to create $WINEPREFIX" >&2; exit 1; }
fi
