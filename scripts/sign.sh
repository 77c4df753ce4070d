# Authenticode signing with osslsigncode, when a certificate is given:
#   ACENORA_SIGN_PFX       a PKCS#12 file holding the certificate and its key
#   ACENORA_SIGN_PASSWORD  its password
#   ACENORA_SIGN_TIMESTAMP optional: a timestamp server's address, so that signatures outlive
#                          the certificate; the UI-access panel is built only with it
# Sourced, not run. Without ACENORA_SIGN_PFX nothing is signed.

signing_wanted() { [ -n "${ACENORA_SIGN_PFX:-}" ]; }

# The panel that asks for UI access only with a timestamped signature: once its certificate
# has expired, the system refuses to start it unless the signature was timestamped, and then
# every shortcut of the panel, Startup's too, does nothing.
ui_access_wanted() { signing_wanted && [ -n "${ACENORA_SIGN_TIMESTAMP:-}" ]; }

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
