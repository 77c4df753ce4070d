#!/bin/bash
# What typing a text costs on the on-screen keyboard: builds the window-free tool steps
# natively (tools/steps) and runs it on FILE (UTF-8) with the keyboard's word list, one line
# for each layout without and with 5 suggestions. The counting rule is in tools/steps/main.cpp.
#   scripts/steps.sh FILE
set -euo pipefail
. "$(dirname "$0")/common.sh"
[ $# -eq 1 ] && [ -f "$1" ] || { echo "usage: scripts/steps.sh FILE" >&2; exit 2; }
NATIVE="${ACENORA_NATIVE_BUILD:-$ROOT/build-native}"
cmake -S "$ROOT" -B "$NATIVE" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$NATIVE" -j"$(nproc)" --target steps >/dev/null
"$NATIVE/bin/steps" "$1" "$ROOT/dist/lista-palavras.txt"
