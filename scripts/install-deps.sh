#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; quiet and quick when all are present.
#
# A package mirror can be out of step for hours: an index that fails to download, i386 libraries
# behind their amd64 twins. So the lists are updated with a few tries and the script goes on with
# what it has; 32-bit Wine is installed in a step of its own whose failure only means the 64-bit
# build runs the Windows tests (scripts/wine-session.sh finds that out); any other package that
# cannot be installed stops the script, naming it and apt's reason. Nothing asks a question.
set -euo pipefail
# A script that has run this one already exports HALOQUILL_DEPS_CHECKED=1 to the scripts it
# calls, so that one run asks apt only once.
if [ "${HALOQUILL_DEPS_CHECKED:-}" = 1 ]; then exit 0; fi

# Both Windows builds are made everywhere they are asked for; wine32 runs the 32-bit one where
# the machine executes 32-bit code, wine64 the 64-bit one elsewhere. nsis makes their setups;
# xdotool moves and clicks the X pointer for the test of the notification area on Wine's shell.
# osslsigncode signs the downloads; openssl makes the test's throw-away certificates. zip packs
# the portable download the same way every time; git gives the commit's date and the clones of
# the reproducibility check; python3-yaml reads the winget manifests in their test. clang and
# lld are the second compiler and linker of the Windows builds (HALOQUILL_COMPILER=clang).
# faketime gives the test of a day's end a clock shortly before midnight.
packages=(cmake make g++ clang lld libclang-rt-14-dev googletest
          g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix
          mingw-w64-x86-64-dev wine wine64 xvfb xauth x11-utils nsis
          xdotool osslsigncode openssl zip git python3-yaml faketime)
wine32=wine32:i386
update_tries=3
retry_seconds=${HALOQUILL_APT_RETRY_SECONDS:-5}

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo -n); fi
export DEBIAN_FRONTEND=noninteractive
apt_install=("${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends
             -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
# apt's last error line in the log, without its "E: ".
apt_error() {
  local line
  line=$(grep -E '^(E|W|Err):' "$log" | grep -v '^W: ' | tail -n1 || true)
  line=${line#E: }
  line=${line%.}
  echo "${line:-apt-get gave no reason}"
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
need_wine32=""
installed "$wine32" || need_wine32=1
need_arch=""
dpkg --print-foreign-architectures | grep -qx i386 || need_arch=1
if [ ${#missing[@]} -eq 0 ] && [ -z "$need_wine32" ] && [ -z "$need_arch" ]; then
  exit 0
fi

if [ -n "$need_arch" ]; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
to_install=("${missing[@]}")
[ -z "$need_wine32" ] || to_install+=("$wine32")
echo "Installing: ${to_install[*]}"
updated=""
for try in $(seq 1 "$update_tries"); do
  if "${sudo_cmd[@]}" apt-get update -q </dev/null >"$log" 2>&1; then
    updated=1
    break
  fi
  [ "$try" -lt "$update_tries" ] && sleep "$retry_seconds"
done
if [ -z "$updated" ]; then
  first_error=$(grep -m1 -E '^E:' "$log" || grep -m1 -E '^Err:' "$log" || true)
  first_error=${first_error#E: }
  echo "Some package lists could not be updated after $update_tries tries; going on with the" \
    "lists there are (${first_error%.})."
fi

if [ ${#missing[@]} -gt 0 ] && ! "${apt_install[@]}" "${missing[@]}" </dev/null >"$log" 2>&1; then
  # One at a time, to install what can be and to name each package that cannot.
  failed=0
  for p in "${missing[@]}"; do
    installed "$p" && continue
    if ! "${apt_install[@]}" "$p" </dev/null >"$log" 2>&1; then
      echo "install-deps.sh: the package $p cannot be installed: $(apt_error)" >&2
      failed=1
    fi
  done
  [ "$failed" -eq 0 ] || exit 1
fi

if [ -n "$need_wine32" ] && ! "${apt_install[@]}" "$wine32" </dev/null >"$log" 2>&1; then
  echo "32-bit Wine ($wine32) could not be installed: $(apt_error); the Windows tests will use" \
    "the 64-bit build under wine64."
fi
exit 0
