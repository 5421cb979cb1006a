#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite: the native unit tests
# and, under Wine in one X display and one reused prefix, the Windows tests of the build that
# runs on this machine (see scripts/wine-session.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"

bash "$root/scripts/install-deps.sh"
export HALOQUILL_DEPS_CHECKED=1
bash "$root/scripts/build.sh"

# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
haloquill_start_session
# The window tests run a second time at 144 DPI, in a prefix of their own.
haloquill_prepare_prefix "$build_root/wineprefix$haloquill_prefix_suffix-144" 144
# The setup tests install and uninstall in a prefix of their own.
haloquill_prepare_prefix "$build_root/wineprefix$haloquill_prefix_suffix-setup" 96

# Which Windows build ran, and which compiler made it, is said in one line just before CTest's
# summary and once more as the last line.
said=$(haloquill_describe_windows_tests)
status=0
# A test that runs out of time is run once more: under load Wine has been seen to stall a
# process before it printed anything. A test that hangs in its own right times out twice and
# fails; the first timeout and its output stay in the log.
stdbuf -oL ctest --test-dir "$build_root" --output-on-failure -j2 --repeat after-timeout:2 "$@" |
  awk -v said="$said" '
    /^[0-9]+% tests passed/ && !done { print said; done = 1 }
    { print; fflush() }
    END { if (!done) print said }' || status=$?
echo "$said"
exit "$status"
