#!/bin/bash
# Signing as ./package.sh signs: with a throwaway self-signed code-signing certificate made
# here, each built program, the library and a setup get an Authenticode signature that
# osslsigncode verifies against that certificate; without a certificate nothing changes.
# usage: signing_test.sh ROOT BIN_FOLDER
set -euo pipefail
root="$1" bin="$2"
log() { echo "== $*"; }
. "$root/scripts/sign.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=(acenora.exe acenora-nivel.exe obkbm32.dll acenora-setup-test.exe)
for f in "${files[@]}"; do cp "$bin/$f" "$work/"; done
cd "$work"

unset ACENORA_SIGN_PFX
sign_files "${files[@]}"
for f in "${files[@]}"; do cmp -s "$f" "$bin/$f" || { echo "FAIL: $f changed without a certificate"; exit 1; }; done
if osslsigncode verify -in acenora.exe >/dev/null 2>&1; then
  echo "FAIL: an unsigned program verifies"; exit 1
fi

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Acenora teste" \
  -addext "extendedKeyUsage=codeSigning" -keyout key.pem -out cert.pem 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -passout pass:segredo -out cert.p12
export ACENORA_SIGN_PFX="$work/cert.p12" ACENORA_SIGN_PASSWORD=segredo
if ui_access_wanted; then echo "FAIL: the UI-access panel without a timestamped signature"; exit 1; fi
sign_files "${files[@]}"
failed=0
for f in "${files[@]}"; do
  if osslsigncode verify -CAfile cert.pem -in "$f" >verify.txt 2>&1 && grep -q "Signature verification: ok" verify.txt; then
    echo "ok: $f signed and verified"
  else
    echo "FAIL: $f"; cat verify.txt; failed=1
  fi
done
exit $failed
