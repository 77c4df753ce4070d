#!/bin/bash
# Installs what is missing, builds everything and runs every test under Wine.
set -euo pipefail
. "$(dirname "$0")/scripts/common.sh"

ensure_packages
build_all
# The window-free logic under libFuzzer for a few seconds each: a smoke check, not a search.
"$ROOT/scripts/fuzz.sh" "${ACENORA_FUZZ_SECONDS:-4}"
ensure_display
trap '[ -n "$STARTED_XVFB" ] && kill "$STARTED_XVFB" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
ensure_prefix
ensure_sound_server
log "running the tests under Wine on $DISPLAY"
ctest --test-dir "$BUILD" --output-on-failure "$@"
