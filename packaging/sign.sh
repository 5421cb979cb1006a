#!/usr/bin/env bash
# Signs Windows executables in place with Authenticode (SHA-256 digests), using the certificate
# and key of the PKCS#12 file HALOQUILL_SIGN_PFX, whose password is HALOQUILL_SIGN_PASSWORD (none
# when unset). With HALOQUILL_SIGN_TIMESTAMP_URL the signature is also timestamped by that
# RFC 3161 server; without it no timestamp is asked for and nothing goes over the network.
# Every signature of the downloads is made here: make_download.cmake signs the program with it,
# and the NSIS script the setup and the uninstaller it carries.
#   sign.sh FILE...
set -euo pipefail

pfx=${HALOQUILL_SIGN_PFX:?HALOQUILL_SIGN_PFX names no PKCS#12 file to sign with}
timestamp=()
if [ -n "${HALOQUILL_SIGN_TIMESTAMP_URL:-}" ]; then
  timestamp=(-ts "$HALOQUILL_SIGN_TIMESTAMP_URL")
fi

for file in "$@"; do
  signed="$file.signed"
  rm -f "$signed"
  # The password reaches osslsigncode through a pipe, never on a command line that ps shows.
  # The signed file replaces the original only when signing succeeded.
  if ! output=$(printf '%s' "${HALOQUILL_SIGN_PASSWORD-}" |
    osslsigncode sign -pkcs12 "$pfx" -readpass /dev/stdin -h sha256 -n "Corvel Haloquill" \
      "${timestamp[@]}" -in "$file" -out "$signed" 2>&1); then
    printf '%s\n' "$output" >&2
    rm -f "$signed"
    echo "sign.sh: signing $file with $pfx failed" >&2
    exit 1
  fi
  mv -f "$signed" "$file"
done
