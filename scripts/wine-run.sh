#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh [--prefix DIR] PROGRAM ARGS...
# The prefix is created on first use, with the font replacements that show the Chinese texts.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
if [ "${1:-}" = "--prefix" ]; then
    export WINEPREFIX="$2"
    shift 2
fi
: "${WINEPREFIX:=$here/../build/wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
"$here/wine-prefix.sh" "$WINEPREFIX"
exec wine "$@"
