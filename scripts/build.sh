#!/usr/bin/env bash
# Builds the native core with its unit tests, and Haloquill.exe with the tests that run under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root="${HALOQUILL_BUILD_DIR:-$root/build}"
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S "$root" -B "$build_root/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build_root/native" -j"$jobs"
cmake -S "$root" -B "$build_root/win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-w64-mingw32.cmake" >/dev/null
cmake --build "$build_root/win" -j"$jobs"

# One CTest tree over both builds, so a single run gives a single summary.
cat >"$build_root/CTestTestfile.cmake" <<CTEST
subdirs("native" "win")
CTEST
