#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix
# (build/wineprefix): created on first use, crash debugger switched off so a
# crash ends the program at once with a non-zero exit.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${SE_WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$WINEPREFIX/.se-ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.se-ready" ]; then
      wineboot -i >/dev/null 2>&1 || true
      for view in /reg:32 /reg:64; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /t REG_SZ \
          /d 'se-no-debugger.exe' /f "$view" >/dev/null 2>&1 || true
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /t REG_SZ \
          /d 1 /f "$view" >/dev/null 2>&1 || true
      done
      wineserver -w || true
      touch "$WINEPREFIX/.se-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

exec wine "$@"
