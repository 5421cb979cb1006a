#!/bin/sh
# Runs a test on a clock set forward to stand a little before midnight (faketime), so that a test
# can watch the day end. Every process the test starts sees the same clock, moved by the same
# offset; the Wine server keeps the real one, and so do the timers, which run on the monotonic
# clock.
# Exits 77 (skipped) when faketime is not installed.
seconds_before="${HALOQUILL_SECONDS_BEFORE_MIDNIGHT:-40}"
if ! command -v faketime >/dev/null 2>&1; then
  echo "faketime is not installed (Debian package faketime): this test needs it" >&2
  exit 77
fi
offset=$(($(date -d 'tomorrow 0' +%s) - $(date +%s) - seconds_before))
FAKETIME_DONT_FAKE_MONOTONIC=1 FAKETIME_SKIP_CMDS=wineserver,wineserver64 \
  exec faketime -f "+$offset" "$@"
