# Shared set-up of ./run.sh and ./test.sh: packages, build, Wine prefix, X display, sound.
# Sourced, not run. Every step is quick when its work is already done.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${ACENORA_BUILD:-$ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$ROOT/.wineprefix}"
# Without the menu builder: a shortcut saved under the Start menu starts it, and it outlives
# the program that saved it, holding the test's output open until CTest's time limit.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
export WINEDEBUG="${WINEDEBUG:--all}"

PACKAGES=(cmake make g++-mingw-w64-x86-64-posix googletest wine wine64 xvfb x11-utils
          pulseaudio pulseaudio-utils imagemagick clang libclang-rt-14-dev nsis icoutils
          osslsigncode openssl)

log() { echo "== $*"; }

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_all() {
  log "building in $BUILD"
  local launcher=()
  export CCACHE_BASEDIR="$ROOT"  # checkouts in other folders share the cache
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
  cmake --build "$BUILD" -j"$(nproc)" "$@"
}

# Starts Xvfb on a free display when none is given; sets DISPLAY and STARTED_XVFB.
ensure_display() {
  STARTED_XVFB=""
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n=71
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  STARTED_XVFB=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  log "virtual display $DISPLAY"
}

ensure_prefix() {
  if [ ! -f "$WINEPREFIX/.acenora-ready" ]; then
    log "making the Wine prefix $WINEPREFIX"
    wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$WINEPREFIX/.acenora-ready"
  fi
  # Without a window manager Wine waits 2 s for one at every hide of a managed window;
  # unmanaged windows hide at once.
  prefix_setting 'X11 Driver' Managed N "unmanaged windows"
  # Wine settles on a sound driver once per process, and with the sound server down at start
  # it would take another that never sees the server come back. Held to PulseAudio alone,
  # the driver is tried again at each open, so a microphone can come back during a run.
  prefix_setting Drivers Audio pulse "PulseAudio alone for sound"
}

# A string value under HKCU\Software\Wine, checked in the registry file itself, so that
# prefixes made before the setting get it too.
prefix_setting() {  # key name value what
  grep -qs "^\"$2\"=\"$3\"" "$WINEPREFIX/user.reg" && return 0
  log "setting Wine to $4"
  wine reg add 'HKCU\Software\Wine\'"$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1 || true
  wineserver -w || true
}

# This checkout's sound-server folder: two checkouts' tests never hear each other's sounds.
checkout_pulse_dir() {
  echo "/tmp/acenora-pulse-$(id -u)-$(printf '%s' "$ROOT" | md5sum | cut -c1-8)"
}

# A private PulseAudio whose null sink's monitor is the default microphone. The sink runs at
# the panel's own 11025 Hz mono, so a sound played in that format reaches the microphone
# sample for sample: resampling to another rate rings above a square wave's true peak.
ensure_sound_server() {
  export XDG_RUNTIME_DIR="${ACENORA_PULSE_DIR:-$(checkout_pulse_dir)}"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  if ! pactl info >/dev/null 2>&1; then
    pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
      --load="module-null-sink sink_name=mic rate=11025 channels=1" \
      --load=module-native-protocol-unix >/dev/null 2>&1 || true
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
  fi
  exact_microphone
  pactl set-default-source mic.monitor >/dev/null 2>&1 || true
}

# A server started before the sink took the panel's format gets the sink anew.
exact_microphone() {
  pactl list short sinks 2>/dev/null | grep -q $'^[0-9]*\tmic\t.* 1ch 11025Hz' && return 0
  pactl info >/dev/null 2>&1 || return 0
  local module
  module="$(pactl list short modules | awk '$2 == "module-null-sink" { print $1 }')"
  [ -n "$module" ] && pactl unload-module "$module" >/dev/null 2>&1
  pactl load-module module-null-sink sink_name=mic rate=11025 channels=1 >/dev/null 2>&1 || true
  pactl set-default-sink mic >/dev/null 2>&1 || true
}

# COUNT desktops for the tests in $BUILD/desktops/N, each an X display, a copy of the prefix
# and a sound server of its own, its settings in N/env for tests/on_desktop.sh; and the
# CTest resource file that gives them out, one test to a desktop. Each prefix's Wine is
# started and kept, so that a test does not pay for its start-up.
make_test_desktops() {
  local count="$1" folder="$BUILD/desktops" ids=() n
  stop_test_desktops
  mkdir -p "$folder"
  for n in $(seq "$count"); do
    make_test_desktop "$folder/$n" "$n"
    ids+=("{\"id\":\"$n\",\"slots\":1}")
  done
  local IFS=,
  echo "{\"version\":{\"major\":1,\"minor\":0},\"local\":[{\"desktops\":[${ids[*]}]}]}" \
    >"$folder/resources.json"
}

make_test_desktop() {
  local home="$1" n="$2"
  rm -rf "$home" && mkdir -p "$home"
  cp -a "$WINEPREFIX" "$home/prefix"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$home/display" >/dev/null 2>&1 &
  echo $! >"$home/xvfb.pid"
  for _ in $(seq 50); do [ -s "$home/display" ] && break; sleep 0.1; done
  cat >"$home/env" <<EOF
export DISPLAY=:$(cat "$home/display")
export WINEPREFIX="$home/prefix"
export ACENORA_PULSE_DIR="$(checkout_pulse_dir)-$n"
export XDG_RUNTIME_DIR="\$ACENORA_PULSE_DIR"
EOF
  (. "$home/env" && ensure_sound_server && wineserver -p && wine cmd /c exit) \
    >/dev/null 2>&1 </dev/null || true
}

stop_test_desktops() {
  local home
  for home in "$BUILD"/desktops/*/; do
    [ -f "$home/env" ] || continue
    (. "$home/env" && wineserver -k; pactl exit) >/dev/null 2>&1 || true
    kill "$(cat "$home/xvfb.pid" 2>/dev/null)" 2>/dev/null || true
  done
}

# The Wine process of acenora.exe in this checkout's prefix (others may run their own).
panel_pid() {
  local p
  for p in /proc/[0-9]*; do
    { tr '\0' ' ' <"$p/cmdline" | grep -q 'acenora\.exe'; } 2>/dev/null || continue
    { tr '\0' '\n' <"$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX"; } 2>/dev/null || continue
    echo "${p#/proc/}"
    return 0
  done
  return 1
}
