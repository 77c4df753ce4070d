# Authenticode signing with osslsigncode, when a certificate is given:
#   ACENORA_SIGN_PFX       a PKCS#12 file holding the certificate and its key
#   ACENORA_SIGN_PASSWORD  its password
#   ACENORA_SIGN_TIMESTAMP optional: a timestamp server's address, so that signatures outlive
#                          the certificate
# Sourced, not run. Without ACENORA_SIGN_PFX nothing is signed.

signing_wanted() { [ -n "${ACENORA_SIGN_PFX:-}" ]; }

sign_files() {  # files...
  signing_wanted || return 0
  local file timestamp=()
  [ -n "${ACENORA_SIGN_TIMESTAMP:-}" ] && timestamp=(-t "$ACENORA_SIGN_TIMESTAMP")
  for file in "$@"; do
    osslsigncode sign -pkcs12 "$ACENORA_SIGN_PFX" -pass "${ACENORA_SIGN_PASSWORD:-}" \
      -n "Acenora" -i "https://acenora.invalid/" -h sha256 "${timestamp[@]}" \
      -in "$file" -out "$file.signed" >/dev/null
    mv "$file.signed" "$file"
    log "signed $(basename "$file")"
  done
}
