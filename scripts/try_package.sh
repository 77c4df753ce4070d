#!/bin/bash
# Runs a release zip as a Windows user would: unpacked into C:\Acenora of a new Wine prefix,
# the panel started from that folder and pressed at random by the long-run probe (which
# stays in the build folder), then the level meter started from the same folder.
#   scripts/try_package.sh [zip [minutes]]    default packages/acenora-2.0-win64.zip, 2
set -uo pipefail
. "$(dirname "$0")/common.sh"

ZIP="${1:-$ROOT/packages/acenora-2.0-win64.zip}"
MINUTES="${2:-2}"
export WINEPREFIX="$ROOT/build-package/prefix-$(date +%Y%m%d-%H%M%S)"
FOLDER="$WINEPREFIX/drive_c/Acenora"

build_all --target e2e_longrun_probe >/dev/null || exit 1
ensure_display
ensure_prefix
ensure_sound_server
mkdir -p "$FOLDER"
unzip -q "$ZIP" -d "$FOLDER" || exit 1
log "unpacked into C:\\Acenora of $WINEPREFIX:"
ls -l "$FOLDER"

log "the panel from C:\\Acenora, pressed at random for $MINUTES minutes"
wine "$BUILD/bin/e2e_longrun_probe.exe" "$MINUTES" 1 'C:\Acenora'
PANEL=$?
log "probe exit code $PANEL (0: the panel scanned to the end and closed with exit code 0)"

log "the level meter from C:\\Acenora"
(cd "$FOLDER" && wine acenora-nivel.exe 60 &)
METER=1
for _ in $(seq 60); do
  if xwininfo -root -tree | grep -q '("acenora-nivel.exe"'; then METER=0; break; fi
  sleep 0.5
done
sleep 3
meter_caption() { xwininfo -root -tree | grep '("acenora-nivel.exe"' | grep -v 'Default IME' | head -1; }
meter_caption
# The switch's sound: two seconds of a loud square wave into the microphone's sink.
python3 -c 'import sys; sys.stdout.buffer.write(bytes((230 if (i // 25) % 2 else 25) for i in range(22050)))' \
  | pacat --playback -d mic --format=u8 --rate=11025 --channels=1 &
HEARD=1
for _ in $(seq 20); do
  sleep 0.2
  if ! meter_caption | grep -q '"N.vel 0 '; then HEARD=0; meter_caption; break; fi
done
wait
sleep 1
import -window root "$WINEPREFIX/meter.png" 2>/dev/null && log "screen with the meter: $WINEPREFIX/meter.png"
wineserver -k
log "meter window shown: $([ $METER -eq 0 ] && echo yes || echo no); heard the sound: $([ $HEARD -eq 0 ] && echo yes || echo no)"
exit $((PANEL | METER | HEARD))
