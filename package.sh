#!/bin/bash
# Builds the release zips a Windows user unpacks and runs, in packages/:
#   acenora-2.0-win64.zip and acenora-2.0-win32.zip
# each holding acenora.exe, obkbm32.dll, acenora-nivel.exe, LEIAME.txt and
# ORBITA.INI.exemplo, and nothing else. Release builds in build-package/.
#   ./package.sh [win64|win32]      both when none is named
set -euo pipefail
. "$(dirname "$0")/scripts/common.sh"

OUT="$ROOT/packages"
CONTENTS="LEIAME.txt ORBITA.INI.exemplo acenora-nivel.exe acenora.exe obkbm32.dll"
if [ $# -eq 0 ]; then PLATFORMS=(win64 win32); else PLATFORMS=("$@"); fi

toolchain_of() {
  case "$1" in
    win64) echo "$ROOT/cmake/mingw-w64.cmake" ;;
    win32) echo "$ROOT/cmake/mingw-w64-i686.cmake" ;;
    *) echo "unknown platform $1 (win64 or win32)" >&2; return 1 ;;
  esac
}

ensure_cross_compilers() {
  PACKAGES+=(g++-mingw-w64-i686-posix zip unzip)
  ensure_packages
}

# The zip must hold exactly the five shipped files, at its top level.
check_contents() {
  local listed
  listed=$(unzip -Z1 "$1" | sort | tr '\n' ' ')
  if [ "$listed" != "$CONTENTS " ]; then
    log "$1 holds: $listed"
    log "expected:  $CONTENTS"
    return 1
  fi
}

package_one() {
  local platform="$1" build="$ROOT/build-package/$1" launcher=()
  export CCACHE_BASEDIR="$ROOT"
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  log "building $platform in $build"
  cmake -S "$ROOT" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$(toolchain_of "$platform")" \
        -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
  cmake --build "$build" -j"$(nproc)" --target package_contents
  (cd "$build" && cpack -B "$OUT" >/dev/null)
  rm -rf "$OUT/_CPack_Packages"
  check_contents "$OUT/acenora-2.0-$platform.zip"
  log "$OUT/acenora-2.0-$platform.zip"
  unzip -l "$OUT/acenora-2.0-$platform.zip"
}

ensure_cross_compilers
mkdir -p "$OUT"
for platform in "${PLATFORMS[@]}"; do package_one "$platform"; done
