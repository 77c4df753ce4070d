#!/bin/bash
# Runs a test program with the Wine prefix at 144 DPI, as a laptop set to 150 %, and puts the
# prefix back at 96 afterwards for the tests that use it next.
# usage: at_144_dpi.sh WINE PROGRAM [ARGUMENTS...]
set -u
wine="$1"
shift
set_dpi() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  "$wine" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}
trap 'set_dpi 96' EXIT
set_dpi 144
"$wine" "$@"
