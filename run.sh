#!/bin/bash
# Installs what is missing, builds and starts the panel under Wine.
#   ./run.sh [threshold dwell]      e.g. ./run.sh 60 1000
set -euo pipefail
. "$(dirname "$0")/scripts/common.sh"

ensure_packages
build_all --target acenora obkbm32
ensure_display
[ -n "$STARTED_XVFB" ] && log "the panel is on the virtual display $DISPLAY (Xvfb pid $STARTED_XVFB)"
ensure_prefix
ensure_sound_server
exec wine "$BUILD/bin/acenora.exe" "$@"
