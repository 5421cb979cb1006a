#!/usr/bin/env bash
# Saves PNG pictures of the angel page, the settings page and the About window at 96 and 144 DPI
# into docs/screenshots/, of the angel page moved from 96 to a monitor of 144 and back, and of the
# angel page in a high-contrast colour scheme, each DPI in a Wine prefix of its own with Wine
# drawing the frames.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/build-root.sh
source "$root/scripts/build-root.sh"

bash "$root/scripts/install-deps.sh"
if ! command -v convert-im6.q16 >/dev/null && ! [ -x /usr/bin/convert ]; then
  echo "Installing ImageMagick for the PNG conversion..."
  ${SUDO:-} apt-get install -y -qq imagemagick >/dev/null
fi
bash "$root/scripts/build.sh"
# shellcheck source=scripts/wine-session.sh
source "$root/scripts/wine-session.sh"
mkdir -p "$root/docs/screenshots"

for dpi in 96 144; do
  (
    export HALOQUILL_DPI=$dpi HALOQUILL_OWN_DISPLAY=1
    export WINEPREFIX="$build_root/wineprefix$haloquill_prefix_suffix-review-$dpi"
    # shellcheck source=scripts/wine-session.sh
    source "$root/scripts/wine-session.sh"
    haloquill_start_session
    # Wine draws the window frames itself, since no window manager runs here.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    shots=$(mktemp -d)
    wine "$build_root/$haloquill_win_build/bin/take_screenshots.exe" "$(winepath -w "$shots")"
    for page in angel settings about; do
      /usr/bin/convert "$shots/$page.bmp" "$root/docs/screenshots/$page-$dpi.png"
    done
    for moved in angel-96-to-144 angel-96-back; do
      if [ -f "$shots/$moved.bmp" ]; then
        /usr/bin/convert "$shots/$moved.bmp" "$root/docs/screenshots/$moved.png"
      fi
    done
    /usr/bin/convert "$shots/angel-high-contrast.bmp" \
      "$root/docs/screenshots/angel-$dpi-high-contrast.png"
    rm -rf "$shots"
  )
done
echo "Pictures written to docs/screenshots/"
