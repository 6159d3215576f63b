#!/usr/bin/env bash
# Runs a Windows program under Wine, headless and quiet, in the Wine prefix
# WINEPREFIX (make windows sets it), which is made on first use: once, when
# several runs start together.
#
#   wine_run.sh PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-$HOME/.wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init >/dev/null 2>&1
    wineserver --wait
  fi
) 9>"$WINEPREFIX/../.$(basename "$WINEPREFIX").lock"
# The Wine server is started here, on its own: started by the program's wine
# it would keep the program's output open, and whoever reads that output
# (ctest, a pipe) would wait until the server ends. It ends by itself a few
# seconds after its last program; one already running refuses to start twice.
wineserver </dev/null >/dev/null 2>&1 || true
exec wine "$@"
