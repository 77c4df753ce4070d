#!/bin/bash
# Runs a test program that needs the sound server stopped, started or changed while it runs.
# A Windows program cannot do that itself, so it asks: each request is a file NNNN-STEP.ask
# in the folder named by ACENORA_SOUND_REQUESTS, answered by renaming it to .done. Whatever
# happens, the server is left as the other tests expect it: running, its microphone the
# monitor of the null sink "mic".
# usage: with_sound_server.sh EMULATOR PROGRAM [ARGUMENTS...]
set -u
. "$(dirname "$0")/../../scripts/common.sh"

stop_server() {
  pactl exit >/dev/null 2>&1
  for _ in $(seq 50); do pactl info >/dev/null 2>&1 || return 0; sleep 0.1; done
}

drop_microphone() {
  pactl list short modules | awk '$2 == "module-null-sink" {print $1}' |
    while read -r module; do pactl unload-module "$module"; done
}

add_microphone() {
  exact_microphone
  pactl set-default-source mic.monitor >/dev/null 2>&1 || true
}

# 300 ms of a 500 Hz square wave, 8-bit at 11025 samples a second: far above any threshold.
make_clap() {
  local half='\354\354\354\354\354\354\354\354\354\354\354' low='\024\024\024\024\024\024\024\024\024\024\024'
  for _ in $(seq 150); do printf "$half$low"; done >"$1"
}

answer() {
  local ask="$1" step
  step="$(basename "$ask" .ask)"
  case "${step#*-}" in
    stop) stop_server ;;
    start) ensure_sound_server ;;
    restore) ensure_sound_server ;;
    drop-microphone) drop_microphone ;;
    add-microphone) add_microphone ;;
    clap) paplay --raw --format=u8 --rate=11025 --channels=1 "$requests/clap.raw" & ;;
  esac
  mv "$ask" "${ask%.ask}.done"
}

ensure_sound_server
requests="$(mktemp -d)"
program=""
trap 'exit 1' TERM INT
trap '[ -n "$program" ] && kill "$program" 2>/dev/null; ensure_sound_server; rm -rf "$requests"' EXIT
make_clap "$requests/clap.raw"
export ACENORA_SOUND_REQUESTS="Z:${requests//\//\\}"

"$@" &
program=$!
while kill -0 "$program" 2>/dev/null; do
  for ask in "$requests"/*.ask; do
    [ -e "$ask" ] && answer "$ask"
  done
  sleep 0.1
done
wait "$program"
status=$?
program=""
exit "$status"
