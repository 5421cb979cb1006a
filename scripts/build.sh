#!/usr/bin/env bash
# Builds the native core with its unit tests (also under sanitizers, with the fuzz targets), and
# the 32-bit Haloquill.exe with its setup, its portable zip and the tests that run under Wine; on
# a machine that runs no 32-bit code (or with HALOQUILL_WINE64=1) also the 64-bit build and its
# setup, whose tests then run instead, and the 32-bit tests are not built. The native tests check
# the headers of every Windows executable and setup built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"
jobs=$(nproc 2>/dev/null || echo 2)
# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
# shellcheck source=scripts/windows-tree.sh
source "$root/scripts/windows-tree.sh"

checked="i386=$build_root/win/bin/Haloquill.exe"
if [ "$haloquill_win_bits" = 64 ]; then
  checked="$checked;amd64=$build_root/win64/bin/Haloquill.exe"
fi
cmake -S "$root" -B "$build_root/native" -DCMAKE_BUILD_TYPE=Debug \
  -DHALOQUILL_CHECKED_EXECUTABLES="$checked" >/dev/null
cmake --build "$build_root/native" -j"$jobs"
# The same core and unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, with the
# fuzz targets whose corpus the suite replays.
CC=clang CXX=clang++ cmake -S "$root" -B "$build_root/sanitize" -DCMAKE_BUILD_TYPE=Debug \
  -DHALOQUILL_SANITIZE=ON -DHALOQUILL_FUZZ=ON >/dev/null
cmake --build "$build_root/sanitize" -j"$jobs"
# The 32-bit program, its setup and its zip are built on every machine, whether or not they can
# run here; its tests and tools only where they run, as the 64-bit build's do otherwise.
if [ "$haloquill_win_bits" = 64 ]; then
  haloquill_windows_tree win i686-w64-mingw32 "" Haloquill haloquill_setup haloquill_portable
  haloquill_windows_tree win64 x86_64-w64-mingw32 64
else
  haloquill_windows_tree win i686-w64-mingw32 ""
fi

# One CTest tree over the native builds and the Windows build that runs here, so a single run
# gives a single summary.
cat >"$build_root/CTestTestfile.cmake" <<CTEST
subdirs("native" "sanitize" "$haloquill_win_build")
CTEST
