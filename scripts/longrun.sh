#!/bin/bash
# A long unattended run of the panel under Wine, pressed at random by the probe
# e2e_longrun_probe.exe (see tests/e2e/longrun_probe.cpp), with the Wine process of
# acenora.exe sampled from /proc every minute: resident memory, threads, open descriptors.
#   scripts/longrun.sh [minutes [seed]]      default 60 minutes
# Uses $DISPLAY when set, else a virtual display of its own. Figures go to
# $BUILD/longrun/<date>/ (probe.log, samples.tsv). Not part of ./test.sh.
set -uo pipefail
. "$(dirname "$0")/common.sh"

MINUTES="${1:-60}"
SEED="${2:-}"
OUT="$BUILD/longrun/$(date +%Y%m%d-%H%M%S)"

ensure_packages
build_all --target acenora obkbm32 e2e_longrun_probe || exit 1
ensure_display
ensure_prefix
ensure_sound_server
mkdir -p "$OUT"


sample() {  # minute pid
  local status="/proc/$2/status" rss threads fds
  rss=$(awk '/^VmRSS/ {print $2}' "$status" 2>/dev/null)
  threads=$(awk '/^Threads/ {print $2}' "$status" 2>/dev/null)
  fds=$(ls "/proc/$2/fd" 2>/dev/null | wc -l)
  printf '%s\t%s\t%s\t%s\t%s\n' "$1" "$(date +%H:%M:%S)" "${rss:-}" "${threads:-}" "$fds" \
    | tee -a "$OUT/samples.tsv"
}

log "run of $MINUTES minutes on $DISPLAY, figures in $OUT"
git -C "$ROOT" log -1 --format='commit %h %s' | tee "$OUT/commit.txt"
printf 'minute\ttime\tvmrss_kb\tthreads\tfds\n' >"$OUT/samples.tsv"
# The probe's own deadline plus margin: a hung probe is stopped rather than waited for.
timeout --kill-after=30 $(((MINUTES + 5) * 60)) \
  wine "$BUILD/bin/e2e_longrun_probe.exe" "$MINUTES" $SEED >"$OUT/probe.log" 2>&1 &
PROBE=$!

PID=""
for _ in $(seq 120); do PID=$(panel_pid) && break; sleep 0.5; done
[ -n "$PID" ] || { log "acenora.exe did not start"; wait "$PROBE"; exit 1; }
START=$(date +%s)
sample 0 "$PID"
minute=1
while kill -0 "$PROBE" 2>/dev/null; do
  sleep 5
  if [ $(( $(date +%s) - START )) -ge $((minute * 60)) ] && [ "$minute" -le "$MINUTES" ]; then
    [ -d "/proc/$PID" ] && sample "$minute" "$PID"
    minute=$((minute + 1))
  fi
done
wait "$PROBE"
CODE=$?
cat "$OUT/probe.log"
log "probe exit code $CODE (0: still scanning at the end and closed with exit code 0)"
[ -n "$STARTED_XVFB" ] && kill "$STARTED_XVFB" 2>/dev/null
exit "$CODE"
