#!/usr/bin/env bash
# Builds the native core with its unit tests (also under sanitizers, with the fuzz targets), and
# Haloquill.exe with the tests that run under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root="${HALOQUILL_BUILD_DIR:-$root/build}"
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S "$root" -B "$build_root/native" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build_root/native" -j"$jobs"
# The same core and unit tests under AddressSanitizer and UndefinedBehaviorSanitizer, with the
# fuzz targets whose corpus the suite replays.
CC=clang CXX=clang++ cmake -S "$root" -B "$build_root/sanitize" -DCMAKE_BUILD_TYPE=Debug \
  -DHALOQUILL_SANITIZE=ON -DHALOQUILL_FUZZ=ON >/dev/null
cmake --build "$build_root/sanitize" -j"$jobs"
cmake -S "$root" -B "$build_root/win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/i686-w64-mingw32.cmake" >/dev/null
cmake --build "$build_root/win" -j"$jobs"

# One CTest tree over both builds, so a single run gives a single summary.
cat >"$build_root/CTestTestfile.cmake" <<CTEST
subdirs("native" "sanitize" "win")
CTEST
