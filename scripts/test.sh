#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test suite: the native unit tests
# and, under Wine in one X display and one reused prefix, the Windows tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root="${HALOQUILL_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"

# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
haloquill_start_session
# The window tests run a second time at 144 DPI, in a prefix of their own.
haloquill_prepare_prefix "$build_root/wineprefix-144" 144

ctest --test-dir "$build_root" --output-on-failure -j2 "$@"
