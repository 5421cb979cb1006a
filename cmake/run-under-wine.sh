#!/bin/sh
# Runs a Windows test program under Wine for CTest. Its output goes through a file, so that a
# process it leaves behind (Wine starts its desktop process on demand, and that one lives on)
# cannot keep CTest's pipe open after the test has ended. The file is followed while the test
# runs, so that a test CTest stops for taking too long still shows how far it came.
# HALOQUILL_WINE names the loader of the build that runs (scripts/wine-session.sh).
log=$(mktemp)
"${HALOQUILL_WINE:-wine}" "$@" >"$log" 2>&1 &
pid=$!
tail -n +1 -s 0.2 --pid="$pid" -f "$log" &
follower=$!
wait "$pid"
status=$?
wait "$follower"
rm -f "$log"
exit "$status"
