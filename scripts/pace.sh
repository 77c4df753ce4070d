#!/bin/bash
# The panel's pace and its processor time while it scans with the microphone open: the
# probe e2e_pace_probe.exe (tests/e2e/pace_probe.cpp) watches the options light for each
# dwell and prints how long each stayed lit against the dwell set, and the Wine process of
# acenora.exe is read from /proc while it watches. Not part of ./test.sh.
#   scripts/pace.sh [dwell...]      default 1000 300
set -uo pipefail
. "$(dirname "$0")/common.sh"

ensure_packages
build_all --target acenora obkbm32 e2e_pace_probe >/dev/null || exit 1
ensure_display
ensure_prefix
ensure_sound_server


# User and system clock ticks the process has used, all its threads together.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null; }

status=0
for dwell in "${@:-1000 300}"; do
  for d in $dwell; do
    log "dwell $d"
    out="$(mktemp)"
    wine "$BUILD/bin/e2e_pace_probe.exe" "$d" 22 >"$out" 2>&1 &
    probe=$!
    for _ in $(seq 600); do grep -q measuring "$out" && break; sleep 0.1; done
    pid=$(panel_pid)
    before=$(cpu_ticks "$pid"); from=$(date +%s.%N)
    for _ in $(seq 1200); do grep -q done "$out" && break; sleep 0.1; done
    after=$(cpu_ticks "$pid"); to=$(date +%s.%N)
    wait "$probe" || status=1
    grep -v 'measuring\|done' "$out"
    awk -v t="$(getconf CLK_TCK)" -v b="$before" -v a="$after" -v f="$from" -v e="$to" \
      'BEGIN { printf "panel processor time: %.2f %% of a core over %.1f s\n", 100 * (a - b) / t / (e - f), e - f }'
    rm -f "$out"
  done
done
[ -n "$STARTED_XVFB" ] && kill "$STARTED_XVFB" 2>/dev/null
exit "$status"
