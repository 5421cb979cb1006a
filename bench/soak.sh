#!/usr/bin/env bash
# Drives the real Haloquill.exe under Wine through many cycles of use (the daily reminder, the
# close box, Show, the About window, a page switch, a changed reminder time, a restarted taskbar)
# and fails when a cycle goes wrong or memory grows by more than 2 % from the first reading to the
# last. Not part of the tests: 2000 cycles take a little over an hour.
# Usage: bench/soak.sh [cycles (2000)] [cycles between memory readings (500)] [steps]
# Steps, when given, are the comma-separated steps a cycle repeats instead of the whole cycle
# (reminder, close, show, about, settings, timelist, taskbar), to find which one grows.
# Writes its log to build/soak/soak-<cycles>[-<steps>].log.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"
cycles="${1:-2000}"
every="${2:-500}"
steps="${3:-}"

bash "$root/scripts/install-deps.sh"
# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
if [ "$haloquill_win_bits" = 64 ]; then triplet=x86_64-w64-mingw32; else triplet=i686-w64-mingw32; fi
win="$build_root/$haloquill_win_build"
cmake -S "$root" -B "$win" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$(haloquill_toolchain_file "$triplet")" >/dev/null
cmake --build "$win" -j2 --target soak_driver

out="$build_root/soak"
mkdir -p "$out"
name="$cycles${steps:+-${steps//,/+}}"
log="$out/soak-$name.log"
result="$out/result-$name.txt"
rm -f "$result"
set +e
(
  # A prefix and a display of their own, so that nothing else running changes what is measured.
  export WINEPREFIX="$build_root/wineprefix$haloquill_prefix_suffix-soak" HALOQUILL_OWN_DISPLAY=1
  # shellcheck source=scripts/wine-session.sh
  source "$root/scripts/wine-session.sh"
  haloquill_start_session
  echo "Soak of the $haloquill_win_bits-bit Haloquill.exe ($haloquill_run_reason):" \
    "$cycles cycles${steps:+ of $steps}, memory read every $every;" \
    "started $(date -u '+%Y-%m-%d %H:%M UTC')."
  # The program runs on a Wine desktop with the shell, as on Windows: the notification area is
  # real, and showing and hiding a window waits for no window manager (there is none on Xvfb).
  desktop=HaloquillSoak
  wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell \
    /t REG_DWORD /d 1 /f >/dev/null 2>&1
  HALOQUILL_SOAK_RESULT=$(winepath -w "$result")
  export HALOQUILL_SOAK_RESULT
  wine explorer "/desktop=$desktop,1000x740" "$(winepath -w "$win/bin/soak_driver.exe")" \
    "$cycles" "$every" ${steps:+"$steps"}
) 2>&1 | tee "$log"
set -e
status=$(tr -d '\r\n' <"$result" 2>/dev/null || true)
if [ -z "$status" ]; then
  echo "Soak failed: the driver gave no result (it crashed or was ended)." | tee -a "$log"
  status=1
fi
echo "Log: $log"
exit "$status"
