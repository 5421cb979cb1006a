# Sourced by the run and test scripts: provides an X display (Xvfb when there is none) and the
# Wine prefixes under the build tree, with their servers kept running, and stops them on exit.
# Expects $build_root to be set.

export WINEPREFIX="${WINEPREFIX:-$build_root/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win32

haloquill_xvfb_pid=""
haloquill_prefixes=()

haloquill_stop_session() {
  local prefix
  for prefix in "${haloquill_prefixes[@]}"; do
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
  if [ -n "$haloquill_xvfb_pid" ]; then
    kill "$haloquill_xvfb_pid" >/dev/null 2>&1 || true
    wait "$haloquill_xvfb_pid" 2>/dev/null || true
  fi
}

# Creates (first time only) and starts a prefix whose screen has the given DPI.
haloquill_prepare_prefix() {
  local prefix="$1" dpi="$2"
  mkdir -p "$prefix"
  if [ ! -f "$prefix/system.reg" ]; then
    echo "Preparing the Wine prefix $prefix (first time only)..."
  fi
  haloquill_prefixes+=("$prefix")
  WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w
  WINEPREFIX="$prefix" wineserver -p >/dev/null 2>&1
  # The window layout is in twips; this is the DPI the programs in the prefix see.
  WINEPREFIX="$prefix" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$dpi" /f >/dev/null 2>&1 || true
}

haloquill_start_session() {
  local dpi="${HALOQUILL_DPI:-96}"
  if [ -z "${DISPLAY:-}" ] || [ -n "${HALOQUILL_OWN_DISPLAY:-}" ]; then
    local fd_file
    fd_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi "$dpi" -nolisten tcp 3>"$fd_file" \
      >/dev/null 2>&1 &
    haloquill_xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -s "$fd_file" ] && break
      sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$fd_file")"
    rm -f "$fd_file"
  fi
  trap haloquill_stop_session EXIT
  haloquill_prepare_prefix "$WINEPREFIX" "$dpi"
}
