#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; quiet and quick when all are present.
set -euo pipefail

# Both Windows builds are made everywhere they are asked for; wine32 runs the 32-bit one where
# the machine executes 32-bit code, wine64 the 64-bit one elsewhere. nsis makes their setups;
# xdotool moves and clicks the X pointer for the test of the notification area on Wine's shell.
# osslsigncode signs the downloads; openssl makes the test's throw-away certificates. zip packs
# the portable download the same way every time; git gives the commit's date and the clones of
# the reproducibility check; python3-yaml reads the winget manifests in their test. clang and
# lld are the second compiler and linker of the Windows builds (HALOQUILL_COMPILER=clang).
packages=(cmake make g++ clang lld libclang-rt-14-dev googletest
          g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix
          mingw-w64-x86-64-dev wine wine32:i386 wine64 xvfb xauth x11-utils nsis
          xdotool osslsigncode openssl zip git python3-yaml)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
