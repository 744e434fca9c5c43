#!/usr/bin/env bash
# Runs a 64-bit Windows program under Wine with system code page 936 (Chinese locale).
# Used by CTest as the cross-compiling emulator. The prefix lives in the build tree so
# that a fresh clone starts from a fresh prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wineprefix}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=${PAGELINK_WINE_LANG:-zh_CN.UTF-8}
export LC_ALL=$LANG
exec /usr/lib/wine/wine64 "$@"
