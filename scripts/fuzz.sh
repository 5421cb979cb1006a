#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds (default 60) and merges the new inputs
# it finds into the committed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"
seconds="${1:-60}"

bash "$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build_root/sanitize" -DCMAKE_BUILD_TYPE=Debug \
  -DHALOQUILL_SANITIZE=ON -DHALOQUILL_FUZZ=ON >/dev/null
cmake --build "$build_root/sanitize" -j"$(nproc)"

for target in fuzz_whole_number fuzz_boolean fuzz_iso_date fuzz_reminder fuzz_command_line; do
  found=$(mktemp -d)
  echo "== $target, $seconds s"
  "$build_root/sanitize/fuzz/$target" -max_total_time="$seconds" -max_len=256 \
    "$found" "$root/fuzz/corpus/$target"
  "$build_root/sanitize/fuzz/$target" -merge=1 "$root/fuzz/corpus/$target" "$found" >/dev/null 2>&1
  rm -rf "$found"
done
