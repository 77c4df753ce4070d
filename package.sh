#!/bin/bash
# Builds what a Windows user gets, in packages/:
#   acenora-2.0-setup.exe                     the setup (32-bit, installs 64-bit programs on
#                                             64-bit Windows)
#   acenora-2.0-win64.zip, acenora-2.0-win32.zip  for those who cannot run a setup
# each zip holding acenora.exe, obkbm32.dll, acenora-nivel.exe, acenora-config.exe, locutor.exe, LEIAME.txt,
# ORBITA.INI.exemplo and the word list with its licence notice, and nothing else. Release builds in build-package/.
# With ACENORA_SIGN_PFX and ACENORA_SIGN_PASSWORD (see scripts/sign.sh) the programs, the
# library and the setup are signed; without them they are not.
#   ./package.sh
set -euo pipefail
. "$(dirname "$0")/scripts/common.sh"
. "$ROOT/scripts/sign.sh"

OUT="$ROOT/packages"
CONTENTS="LEIAME.txt ORBITA.INI.exemplo acenora-config.exe acenora-nivel.exe acenora.exe lista-palavras-LICENCA.txt lista-palavras.txt locutor.exe obkbm32.dll"
PROGRAMS="acenora.exe acenora-nivel.exe acenora-config.exe locutor.exe obkbm32.dll"

ensure_cross_compilers() {
  PACKAGES+=(g++-mingw-w64-i686-posix zip unzip)
  ensure_packages
}

# The zip must hold exactly the nine shipped files, at its top level.
check_contents() {
  local listed
  listed=$(unzip -Z1 "$1" | LC_ALL=C sort | tr '\n' ' ')
  if [ "$listed" != "$CONTENTS " ]; then
    log "$1 holds: $listed"
    log "expected:  $CONTENTS"
    return 1
  fi
}

# Builds one word size and installs its shipped files, stripped, in build-package/<p>/stage.
stage_one() {
  local platform="$1" toolchain build="$ROOT/build-package/$1" launcher=()
  case "$platform" in
    win64) toolchain="$ROOT/cmake/mingw-w64.cmake" ;;
    win32) toolchain="$ROOT/cmake/mingw-w64-i686.cmake" ;;
  esac
  export CCACHE_BASEDIR="$ROOT"
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  log "building $platform in $build"
  cmake -S "$ROOT" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
  cmake --build "$build" -j"$(nproc)" --target package_contents
  rm -rf "$build/stage"
  cmake --install "$build" --prefix "$build/stage" --strip >/dev/null
  (cd "$build/stage" && sign_files $PROGRAMS)
  stage_ui_access "$build"
}

# Signed with a timestamp, the panel that asks for UI access goes beside the others for the
# setup's installation for all users, which tries it once and installs the plain panel if
# the system will not start it; otherwise it is not built. The zips never hold it.
stage_ui_access() {
  ui_access_wanted || return 0
  local build="$1" strip
  cmake --build "$build" -j"$(nproc)" --target acenora_uiaccess
  strip=$(grep -m1 '^CMAKE_STRIP:' "$build/CMakeCache.txt" | cut -d= -f2-)
  "$strip" -o "$build/stage/acenora-uiaccess.exe" "$build/bin/acenora-uiaccess.exe"
  (cd "$build/stage" && sign_files acenora-uiaccess.exe)
}

zip_one() {
  local platform="$1" zip="$OUT/acenora-2.0-$1.zip"
  rm -f "$zip"
  (cd "$ROOT/build-package/$platform/stage" && zip -q -X "$zip" $CONTENTS)
  check_contents "$zip"
}

# The setup from the two staged builds, with the build's own makensis call.
setup() {
  local build="$ROOT/build-package/win64" setup="$OUT/acenora-2.0-setup.exe"
  cmake --build "$build" --target setup_texts >/dev/null
  local ui=0
  ui_access_wanted && ui=1
  cmake -DSETUP="$setup" -DFILES64="$build/stage" -DFILES32="$ROOT/build-package/win32/stage" \
        -DUIACCESS="$ui" -P "$build/setup_command.cmake"
  sign_files "$setup"
}

ensure_cross_compilers
mkdir -p "$OUT"
for platform in win64 win32; do stage_one "$platform"; zip_one "$platform"; done
setup
log "in $OUT:"
ls -l "$OUT"/acenora-2.0-setup.exe "$OUT"/acenora-2.0-win64.zip "$OUT"/acenora-2.0-win32.zip
