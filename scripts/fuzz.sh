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

for target in fuzz_whole_number fuzz_boolean fuzz_iso_date fuzz_reminder fuzz_command_line \
  fuzz_utf16_text fuzz_jpeg_picture; do
  found=$(mktemp -d)
  # A picture needs room; text readers stay short.
  max_len=256
  [ "$target" = fuzz_jpeg_picture ] && max_len=16384
  echo "== $target, $seconds s"
  "$build_root/sanitize/fuzz/$target" -max_total_time="$seconds" -max_len="$max_len" \
    "$found" "$root/fuzz/corpus/$target"
  "$build_root/sanitize/fuzz/$target" -merge=1 "$root/fuzz/corpus/$target" "$found" >/dev/null 2>&1
  rm -rf "$found"
done
