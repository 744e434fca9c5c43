#!/usr/bin/env bash
# Runs a command (the Windows test suite) with a Wine prefix ready and an X display for the
# Win32 windows: a virtual one from Xvfb unless a display is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEDEBUG=${WINEDEBUG:--all}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
fi

# A fresh prefix is made once, before the tests, so no test pays for it or races for it.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 || true
fi
# One wine server for the whole suite instead of one per test program, with Wine's own
# services started here: whatever starts them keeps its output open for as long as they
# live, and that must not be the output of the first test.
/usr/lib/wine/wineserver -p >/dev/null 2>&1 || true
LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 /usr/lib/wine/wine64 wineboot >/dev/null 2>&1 </dev/null || true
status=0
"$@" || status=$?
/usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
exit $status
