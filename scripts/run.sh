#!/usr/bin/env bash
# Installs what is missing, builds Haloquill.exe and runs it under Wine (in an Xvfb display when
# there is no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh"

# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
haloquill_start_session

echo "Starting Haloquill.exe on display $DISPLAY; end it with File > Exit (the close box sends it to the notification area) or Ctrl+C."
echo "This is the $haloquill_win_bits-bit build ($haloquill_run_reason)."
wine "$build_root/$haloquill_win_build/bin/Haloquill.exe" "$@"
