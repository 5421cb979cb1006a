#!/usr/bin/env bash
# Measures Haloquill.exe under Wine against the baseline program (shown start-up, idle CPU,
# memory, size) and against the tray floor (the start into the notification area: time, CPU,
# memory), and counts the instructions of one reminder tick and one initialisation of the core
# with callgrind. Writes build/bench/results.md. Usage: bench.sh [runs] [idle seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"
runs="${1:-7}"
idle="${2:-60}"

bash "$root/scripts/install-deps.sh"
if ! command -v valgrind >/dev/null; then
  ${SUDO:-} apt-get install -y -qq valgrind >/dev/null
fi
jobs=$(nproc 2>/dev/null || echo 2)
# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
if [ "$haloquill_win_bits" = 64 ]; then triplet=x86_64-w64-mingw32; else triplet=i686-w64-mingw32; fi
win="$build_root/$haloquill_win_build"
cmake -S "$root" -B "$win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$(haloquill_toolchain_file "$triplet")" >/dev/null
cmake --build "$win" -j"$jobs" --target bench_runner
cmake -S "$root" -B "$build_root/bench-native" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  >/dev/null
cmake --build "$build_root/bench-native" -j"$jobs" --target core_instructions

out="$build_root/bench"
mkdir -p "$out"
results="$out/results.md"
{
  echo "Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(nproc) cores, $(uname -m), $(wine --version 2>/dev/null || echo Wine)."
  echo "Build measured: the $haloquill_win_bits-bit Haloquill.exe ($triplet, $haloquill_run_reason)."
  echo "Command: \`bash scripts/bench.sh $runs $idle\`; start-ups: $runs runs each."
  echo
} >"$results"

(
  export WINEPREFIX="$build_root/wineprefix$haloquill_prefix_suffix-bench" HALOQUILL_OWN_DISPLAY=1
  # shellcheck source=scripts/wine-session.sh
  source "$root/scripts/wine-session.sh"
  haloquill_start_session
  # The server of this prefix, not another one running beside it: it works in a folder named for
  # the prefix's device and inode numbers.
  server_dir="server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")"
  HALOQUILL_WINESERVER_PID=""
  for pid in $(pgrep -f wineserver || true); do
    case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in
      */"$server_dir") HALOQUILL_WINESERVER_PID=$pid ;;
    esac
  done
  if [ -z "$HALOQUILL_WINESERVER_PID" ]; then
    echo "The Wine server of $WINEPREFIX was not found; its CPU time reads as 0." >&2
  fi
  export HALOQUILL_WINESERVER_PID
  wine "$win/bin/bench_runner.exe" "$(winepath -w "$out/wine.md")" "$runs" "$idle"
)
cat "$out/wine.md" >>"$results"

# What the executable holds.
exe="$win/bin/Haloquill.exe"
section() {
  local hex
  hex=$("$triplet-objdump" -h "$exe" | awk -v name="$1" '$2 == name { print $3 }')
  echo $(( 16#${hex:-0} / 1024 ))
}
content_kib() { cat "$@" | wc -c | awk '{ printf "%.1f", $1 / 1024 }'; }
{
  echo
  echo "| Haloquill.exe holds | KiB |"
  echo "|---|---|"
  echo "| whole file | $(($(stat -c %s "$exe") / 1024)) |"
  echo "| code (.text) | $(section .text) |"
  echo "| resources (.rsrc): pictures, icon, manifest, version | $(section .rsrc) |"
  echo "| of which the 14 pictures at 96, 144 and 192 dpi | $(content_kib "$root"/content/pictures/*.jpg "$root"/content/pictures/*/*.jpg) |"
  echo "| of which the icon | $(content_kib "$root"/content/icons/haloquill.ico) |"
  echo "| description texts (in .rdata) | $(content_kib "$root"/content/texts/*.txt) |"
} >>"$results"

# Instructions of the core, counted exactly.
count() {
  local mode="$1" function="$2" file
  file=$(mktemp)
  valgrind --tool=callgrind --callgrind-out-file="$file" --toggle-collect="$function" \
    "$build_root/bench-native/bench/core_instructions" "$mode" >/dev/null 2>&1
  awk '/^summary:/ { print $2 }' "$file"
  rm -f "$file"
}
{
  echo
  echo "| Portable core (native, callgrind) | Instructions |"
  echo "|---|---|"
  echo "| one reminder tick at the reminder time | $(count tick 'haloquill::MeasuredTick*') |"
  echo "| one whole initialisation of the main window | $(count init 'haloquill::MeasuredInitialisation*') |"
} >>"$results"

cat "$results"
