#!/usr/bin/env bash
# Makes the downloads and puts them in build/dist/: the setup of the 32-bit program, the setup of
# the 64-bit program and the portable zip (see the README's "Downloads"). Only the program and
# its downloads are built, not the tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root="${HALOQUILL_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
# shellcheck source=scripts/windows-tree.sh
source "$root/scripts/windows-tree.sh"

haloquill_windows_tree win i686-w64-mingw32 "" haloquill_setup haloquill_portable
haloquill_windows_tree win64 x86_64-w64-mingw32 64 haloquill_setup

dist="$build_root/dist"
rm -rf "$dist"
mkdir -p "$dist"
cp "$build_root"/win/dist/* "$build_root"/win64/dist/* "$dist/"
echo "Downloads in $dist:"
ls -l "$dist"
