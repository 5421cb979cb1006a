#!/usr/bin/env bash
# Makes the downloads of the given built programs in DIST, which it makes anew: a setup and a
# portable zip for each program (make_download.cmake), and SHA256SUMS, their SHA-256 sums in
# sha256sum's format. scripts/package.sh makes the release's downloads with it.
#   make_downloads.sh DIST VERSION MACHINE=PROGRAM...
# VERSION is the project's four numbers, MACHINE i386 or amd64.
#
# When HALOQUILL_SIGN_PFX names a PKCS#12 file, the program in every download, each setup and
# the uninstaller it carries are signed with it (sign.sh, which also reads HALOQUILL_SIGN_PASSWORD
# and HALOQUILL_SIGN_TIMESTAMP_URL); otherwise the downloads are unsigned, and it says so.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 3 ]; then
  echo "usage: make_downloads.sh DIST VERSION MACHINE=PROGRAM..." >&2
  exit 2
fi
# Absolute, since NSIS reads and writes from another folder.
dist=$(realpath -m "$1")
version=$2
shift 2
# Nothing of an earlier run stays, whatever happens to this one.
rm -rf "$dist"

sign=()
if [ -n "${HALOQUILL_SIGN_PFX:-}" ]; then
  if [ ! -f "$HALOQUILL_SIGN_PFX" ] || [ ! -r "$HALOQUILL_SIGN_PFX" ]; then
    echo "HALOQUILL_SIGN_PFX=$HALOQUILL_SIGN_PFX is not a file that can be read" >&2
    exit 1
  fi
  HALOQUILL_SIGN_PFX=$(realpath "$HALOQUILL_SIGN_PFX")
  export HALOQUILL_SIGN_PFX
  stamp="without a timestamp"
  if [ -n "${HALOQUILL_SIGN_TIMESTAMP_URL:-}" ]; then
    stamp="timestamped by $HALOQUILL_SIGN_TIMESTAMP_URL"
  fi
  echo "Signing the downloads with $HALOQUILL_SIGN_PFX, $stamp."
  sign=(-DSIGN=ON)
else
  echo "The downloads are not signed: HALOQUILL_SIGN_PFX names no certificate."
fi

# The downloads are made in a scratch folder beside DIST and moved there only when all went well,
# so that a failure leaves no download that looks finished.
mkdir -p "$(dirname "$dist")"
scratch=$(mktemp -d "$dist.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
for pair in "$@"; do
  machine=${pair%%=*}
  cmake -DMACHINE="$machine" -DPROGRAM="${pair#*=}" -DVERSION="$version" \
    -DOUTPUT_DIR="$scratch/dist" -DWORK_DIR="$scratch/$machine" "${sign[@]}" \
    -P "$here/make_download.cmake"
done

(cd "$scratch/dist" && downloads=(*) && sha256sum -- "${downloads[@]}" >SHA256SUMS)
mv "$scratch/dist" "$dist"
