#!/usr/bin/env bash
# Makes the downloads and puts them in build/dist/: the setup and the portable zip of the 32-bit
# program and of the 64-bit program (see the README's "Downloads"), with SHA256SUMS, their
# SHA-256 sums. Only the two programs are built, not the tests; the downloads are made anew from
# them on every run, by packaging/make_downloads.sh.
#
# With HALOQUILL_SIGN_PFX naming a PKCS#12 file (password in HALOQUILL_SIGN_PASSWORD), the
# program in every download, the setups and their uninstallers are signed with Authenticode, and
# timestamped by the RFC 3161 server HALOQUILL_SIGN_TIMESTAMP_URL when that is set.
#
# The winget and Scoop manifests of the downloads go to build/dist/winget/ and build/dist/scoop/
# (packaging/make_manifests.sh), naming the release's address HALOQUILL_RELEASE_URL. Two runs on
# one commit make the same files: every time packed is the commit's (SOURCE_DATE_EPOCH, unless
# set already), and scripts/check-reproducible.sh shows it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"

bash "$root/scripts/install-deps.sh"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  if ! SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null); then
    SOURCE_DATE_EPOCH=$(date +%s)
    echo "Not a git checkout: the downloads carry the time of this build, $SOURCE_DATE_EPOCH."
  fi
fi
export SOURCE_DATE_EPOCH
# shellcheck source=scripts/windows-tree.sh
source "$root/scripts/windows-tree.sh"

haloquill_windows_tree win i686-w64-mingw32 "" Haloquill
haloquill_windows_tree win64 x86_64-w64-mingw32 64 Haloquill

# The project's version and the maker's web site, as the build tree records them.
cache="$build_root/win/CMakeCache.txt"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$cache")
site_base=$(sed -n 's/^HALOQUILL_SITE_BASE:STRING=//p' "$cache")
dist="$build_root/dist"
bash "$root/packaging/make_downloads.sh" "$dist" "$version" \
  i386="$build_root/win/bin/Haloquill.exe" amd64="$build_root/win64/bin/Haloquill.exe"
# The manifests are not in SHA256SUMS: they hold the sums themselves, and a package manager
# checks a download against its manifest, not the other way round.
if ! bash "$root/packaging/make_manifests.sh" "$dist" "${version%.*.*}" "$site_base"; then
  rm -rf "$dist"
  exit 1
fi
echo "Downloads in $dist:"
ls -lR "$dist"
