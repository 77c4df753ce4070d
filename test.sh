#!/bin/bash
# Installs what is missing, builds everything and runs every test under Wine.
set -euo pipefail
. "$(dirname "$0")/scripts/common.sh"

ensure_packages
build_all
# The window-free logic under libFuzzer for a few seconds each: a smoke check, not a search.
"$ROOT/scripts/fuzz.sh" "${ACENORA_FUZZ_SECONDS:-4}"
ensure_display
trap '[ -n "$STARTED_XVFB" ] && kill "$STARTED_XVFB" 2>/dev/null; stop_test_desktops' EXIT
ensure_prefix
# Tests wait mostly on the panel's dwell, not on the processor: three run at once, each on a
# desktop of its own.
jobs="${ACENORA_TEST_JOBS:-3}"
log "making $jobs test desktops"
make_test_desktops "$jobs"
log "running the tests under Wine, $jobs at a time"
ctest --test-dir "$BUILD" --output-on-failure -j "$jobs" "$@"
