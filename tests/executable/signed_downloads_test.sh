#!/usr/bin/env bash
# The downloads of a signed release, made from the built programs by packaging/make_downloads.sh
# (as scripts/package.sh makes them) with a throw-away certificate authority and code-signing
# certificate, in the scratch folder WORK. HEADER_TESTS is the native haloquill_executable_tests.
# Needs the Wine session of scripts/test.sh: the setup that runs here is installed in the setup
# tests' prefix under BUILD_ROOT, which CTest lends to one test at a time.
#   signed_downloads_test.sh WORK VERSION HEADER_TESTS BUILD_ROOT MACHINE=PROGRAM...
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$1 version=$2 header_tests=$3 build_root=$4
shift 4
if [ -z "${HALOQUILL_WINE:-}" ]; then
  echo "Skipped: this test needs the Wine session of scripts/test.sh"
  exit 77
fi

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
# Runs a command with its output in step.log, shown only when it fails.
quietly() {
  "$@" >"$work/step.log" 2>&1 || { cat "$work/step.log" >&2 && fail "$*"; }
}
rm -rf "$work"
mkdir -p "$work"
cd "$work"

export HALOQUILL_SIGN_PASSWORD="throw-away $RANDOM" HALOQUILL_SIGN_PFX="$work/signer.pfx"
unset HALOQUILL_SIGN_TIMESTAMP_URL
quietly openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
  -subj "/CN=Haloquill throw-away CA" -addext "basicConstraints=critical,CA:TRUE" \
  -addext "keyUsage=critical,keyCertSign"
quietly openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
  -subj "/CN=Haloquill throw-away signer"
printf '%s\n' "basicConstraints=critical,CA:FALSE" "keyUsage=critical,digitalSignature" \
  "extendedKeyUsage=codeSigning" >signer.ext
quietly openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
  -extfile signer.ext -out signer.pem
quietly openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem \
  -passout env:HALOQUILL_SIGN_PASSWORD -out signer.pfx

# A signing that fails stops the packaging and leaves no downloads, not even earlier ones.
mkdir -p refused
touch refused/Haloquill-earlier-setup.exe
if HALOQUILL_SIGN_PASSWORD=wrong bash "$root/packaging/make_downloads.sh" refused "$version" \
  "$@" >refused.log 2>&1; then
  fail "packaging with a wrong password succeeded"
fi
[ ! -e refused ] || fail "a failed signing left downloads behind"

# The signed downloads leave the built programs as they were, and SHA256SUMS lists each by name.
short=$(echo "$version" | cut -d. -f1,2)
programs=() expected=()
for pair in "$@"; do
  programs+=("${pair#*=}")
  case ${pair%%=*} in
    amd64) expected+=("Haloquill-$short-setup-x64.exe" "Haloquill-$short-portable-x64.zip") ;;
    i386) expected+=("Haloquill-$short-setup.exe" "Haloquill-$short-portable.zip") ;;
  esac
done
built=$(sha256sum "${programs[@]}")
quietly bash "$root/packaging/make_downloads.sh" dist "$version" "$@"
[ "$(sha256sum "${programs[@]}")" = "$built" ] || fail "packaging changed a built program"
listed=$(awk '{ print $2 }' dist/SHA256SUMS | sort)
[ "$listed" = "$(printf '%s\n' "${expected[@]}" | sort)" ] || fail "SHA256SUMS lists $listed"
(cd dist && quietly sha256sum --strict -c SHA256SUMS)

# Signed by the throw-away certificate, with SHA-256 digests and, as asked, no timestamp.
check_signature() {
  quietly osslsigncode verify -CAfile "$work/ca.pem" -in "$1"
  grep -q "^Message digest algorithm *: SHA256" step.log || fail "$1: not a SHA-256 digest"
  grep -q "Subject: /CN=Haloquill throw-away signer" step.log || fail "$1: another signer"
  grep -qx "Timestamp is not available" step.log || fail "$1: timestamped unasked"
}
# The native header checks, of which at least one must run.
check_headers() {
  HALOQUILL_CHECKED_EXECUTABLE="$1" HALOQUILL_EXPECTED_MACHINE="$2" \
    quietly "$header_tests" --gtest_filter='ExecutableHeaders.*'
  grep -q '^\[  PASSED  \] [1-9]' step.log || fail "no header check ran on $1"
}
for setup in dist/*.exe; do check_signature "$setup"; done
# Each portable zip's program, signed; less its signature, it is the built program byte for
# byte, as a rebuilder compares it.
for pair in "$@"; do
  machine=${pair%%=*} zip="Haloquill-$short-portable.zip"
  [ "$machine" = i386 ] || zip="Haloquill-$short-portable-x64.zip"
  mkdir "portable-$machine"
  (cd "portable-$machine" && quietly cmake -E tar xf "../dist/$zip")
  check_signature "portable-$machine/Haloquill.exe"
  check_headers "portable-$machine/Haloquill.exe" "$machine"
  quietly osslsigncode remove-signature -in "portable-$machine/Haloquill.exe" \
    -out "portable-$machine/unsigned.exe"
  cmp -s "portable-$machine/unsigned.exe" "${pair#*=}" ||
    fail "the program of $zip less its signature is not ${pair#*=}"
done

# The setup that runs here, installed silently in a folder of its own; Wine makes no Linux menu
# entry for its shortcut. Whatever happens, the prefix is left as the setup tests expect it.
machine=i386 setup=Haloquill-$short-setup.exe suffix=""
if [ "${WINEARCH:-}" = win64 ]; then
  machine=amd64 setup=Haloquill-$short-setup-x64.exe suffix=64
fi
export WINEPREFIX="$build_root/wineprefix$suffix-setup"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe="
folder='C:\haloquill-signed-check'
installed="$WINEPREFIX/drive_c/haloquill-signed-check"
program_pid=""
clean_up() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
  if [ -f "$installed/Uninstall.exe" ]; then
    "$HALOQUILL_WINE" "$folder\\Uninstall.exe" /S "_?=$folder" >/dev/null 2>&1 || true
  fi
  rm -rf "$installed"
}
trap clean_up EXIT
clean_up
quietly "$HALOQUILL_WINE" "$work/dist/$setup" /S "/D=$folder"
check_signature "$installed/Uninstall.exe"
check_signature "$installed/Haloquill.exe"
check_headers "$installed/Haloquill.exe" "$machine"

# The installed program shows its window (Wine marks each X window with the process id of its
# Wine process), and ends with success when asked the way Task Manager asks.
"$HALOQUILL_WINE" "$folder\\Haloquill.exe" >/dev/null 2>&1 &
program_pid=$!
for _ in $(seq 1 300); do
  kill -0 "$program_pid" 2>/dev/null || fail "the signed program ended by itself"
  [ -z "$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null)" ] || break
  sleep 0.2
done
[ -n "$(xdotool search --onlyvisible --pid "$program_pid")" ] || fail "the program showed no window"
quietly "$HALOQUILL_WINE" taskkill /IM Haloquill.exe
for _ in $(seq 1 150); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$program_pid" 2>/dev/null && fail "the signed program did not end when asked"
wait "$program_pid" || fail "the signed program ended with exit code $?"
program_pid=""
# The signed uninstaller, run in place (_?=) so that it has ended when it returns.
quietly "$HALOQUILL_WINE" "$folder\\Uninstall.exe" /S "_?=$folder"
