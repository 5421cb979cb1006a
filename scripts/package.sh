#!/usr/bin/env bash
# Makes the downloads and puts them in build/dist/: the setup of the 32-bit program, the setup of
# the 64-bit program and the portable zip (see the README's "Downloads"), with SHA256SUMS, their
# SHA-256 sums. Only the two programs are built, not the tests; the downloads are made anew from
# them on every run, by packaging/make_downloads.sh.
#
# With HALOQUILL_SIGN_PFX naming a PKCS#12 file (password in HALOQUILL_SIGN_PASSWORD), the
# program in every download, the setups and their uninstallers are signed with Authenticode, and
# timestamped by the RFC 3161 server HALOQUILL_SIGN_TIMESTAMP_URL when that is set.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"

bash "$root/scripts/install-deps.sh"
# shellcheck source=scripts/windows-tree.sh
source "$root/scripts/windows-tree.sh"

haloquill_windows_tree win i686-w64-mingw32 "" Haloquill
haloquill_windows_tree win64 x86_64-w64-mingw32 64 Haloquill

# The project's version, as the build tree records it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_root/win/CMakeCache.txt")
dist="$build_root/dist"
bash "$root/packaging/make_downloads.sh" "$dist" "$version" \
  i386="$build_root/win/bin/Haloquill.exe" amd64="$build_root/win64/bin/Haloquill.exe"
echo "Downloads in $dist:"
ls -l "$dist"
