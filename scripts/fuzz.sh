#!/bin/bash
# Builds the libFuzzer programs of fuzz/ natively with clang and the sanitizers, replays the
# kept inputs of fuzz/regressions/, then runs each program for SECONDS (default 10).
# Fails on any crash, sanitizer report or failed check. Usage: scripts/fuzz.sh [SECONDS] [NAME...]
set -euo pipefail
. "$(dirname "$0")/common.sh"

SECONDS_EACH="${1:-10}"
shift || true
FUZZ_BUILD="${ACENORA_FUZZ_BUILD:-$ROOT/build-fuzz}"

build_fuzzers() {
  log "building the fuzzers in $FUZZ_BUILD"
  local launcher=()
  export CCACHE_BASEDIR="$ROOT"
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ROOT" -B "$FUZZ_BUILD" -DCMAKE_CXX_COMPILER=clang++ -DACENORA_FUZZ=ON \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  cmake --build "$FUZZ_BUILD" -j"$(nproc)" >/dev/null
}

# One program: the kept inputs first, then a timed run on a corpus kept in the build folder.
# Prints the run's last status line; the whole output stays in the build folder's log.
run_fuzzer() {
  local name="$1" program="$FUZZ_BUILD/bin/fuzz_$1"
  local corpus="$FUZZ_BUILD/corpus/$name" findings="$FUZZ_BUILD/findings/$name"
  local log_file="$FUZZ_BUILD/logs/$name.log" kept="$ROOT/fuzz/regressions/$name"
  mkdir -p "$corpus" "$findings" "$(dirname "$log_file")"
  if [ -d "$kept" ] && [ -n "$(ls -A "$kept")" ]; then
    "$program" "$kept"/* >"$log_file.replay" 2>&1 || { cat "$log_file.replay"; return 1; }
  fi
  if ! "$program" -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$findings/" "$corpus" >"$log_file" 2>&1; then
    grep -E "ERROR|check failed|SUMMARY|Test unit written" "$log_file" | head -20
    return 1
  fi
  local done_line execs
  done_line="$(grep -E '^#[0-9]+\s+DONE' "$log_file" | tail -1 || true)"
  execs="$(grep -E 'stat::number_of_executed_units' "$log_file" | awk '{print $2}' || true)"
  echo "$name: ${execs:-?} runs; ${done_line#*DONE }"
}

ensure_packages
build_fuzzers
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for program in "$FUZZ_BUILD"/bin/fuzz_*; do names+=("${program##*/fuzz_}"); done
fi
passed=0 failed=0
for name in "${names[@]}"; do
  if run_fuzzer "$name"; then passed=$((passed + 1)); else failed=$((failed + 1)); log "fuzz_$name FAILED"; fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
