# Sourced by the build, run, test, screenshot and benchmark scripts. Decides once which Windows
# build runs here, provides an X display (Xvfb when there is none) and the Wine prefixes under the
# build tree, with their servers kept running, and stops them on exit. Expects $build_root.
#
# The Windows build that runs is the 32-bit one wherever this machine executes 32-bit x86 code,
# found by trying to; elsewhere, or with HALOQUILL_WINE64=1, it is the 64-bit build under wine64
# in 64-bit prefixes of their own. Either way these are set:
#   haloquill_win_bits        32 or 64
#   haloquill_win_build       the build tree of the executables that run (win or win64)
#   haloquill_prefix_suffix   "" or "64", added to every prefix name so the two never mix
#   haloquill_run_reason      why, in words, for the test summary
# and wine, wineserver, wineboot and winepath call the matching loader directly, never Debian's
# /usr/bin/wine wrapper, which picks the 32-bit loader whenever it is installed.

haloquill_wine32_loader=/usr/lib/wine/wine
haloquill_wine64_loader=/usr/lib/wine/wine64

# Why the 32-bit build cannot run here, in words for the test summary; nothing when it can. A
# machine that runs no 32-bit code has ld.so of i386 (it comes with wine32) fail to start; one
# that does may still lack wine32, when a package mirror could not give it.
haloquill_why_not_32bit() {
  if [ -e /lib/ld-linux.so.2 ] && ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo "this machine runs no 32-bit code"
  elif [ ! -x "$haloquill_wine32_loader" ]; then
    echo "32-bit Wine is not installed"
  elif ! "$haloquill_wine32_loader" --version >/dev/null 2>&1; then
    echo "32-bit Wine is installed but does not start"
  fi
}

haloquill_choose_windows_build() {
  if [ -n "${haloquill_win_bits:-}" ]; then
    return 0
  fi
  local why_not
  why_not=$(haloquill_why_not_32bit)
  if [ "${HALOQUILL_WINE64:-}" = 1 ]; then
    haloquill_win_bits=64
    haloquill_run_reason="HALOQUILL_WINE64=1 asks for it"
  elif [ -z "$why_not" ]; then
    haloquill_win_bits=32
    haloquill_run_reason="this machine runs 32-bit code"
  else
    haloquill_win_bits=64
    haloquill_run_reason=$why_not
  fi
  if [ "$haloquill_win_bits" = 64 ]; then
    haloquill_win_build=win64
    haloquill_prefix_suffix=64
    haloquill_wine_loader=$haloquill_wine64_loader
    export WINEARCH=win64
  else
    haloquill_win_build=win
    haloquill_prefix_suffix=""
    haloquill_wine_loader=$haloquill_wine32_loader
    export WINEARCH=win32
  fi
  # Wine starts its helper processes through WINELOADER, and finds its server through WINESERVER.
  export WINELOADER="$haloquill_wine_loader"
  export HALOQUILL_WINE="$haloquill_wine_loader"
  if [ -x /usr/lib/wine/wineserver64 ]; then
    export WINESERVER=/usr/lib/wine/wineserver64
  else
    export WINESERVER=/usr/lib/wine/wineserver32
  fi
}

# The summary line of the test run.
haloquill_describe_windows_tests() {
  local compiler=gcc
  if [ "${HALOQUILL_COMPILER:-gcc}" = clang ]; then compiler="clang and lld"; fi
  if [ "$haloquill_win_bits" = 64 ]; then
    echo "Windows tests: 64-bit build (made with $compiler) under wine64 ($haloquill_run_reason); the 32-bit executable was built and checked, not run"
  else
    echo "Windows tests: 32-bit build (made with $compiler) under Wine ($haloquill_run_reason); the 32-bit executable was built, checked and run"
  fi
}

wine() { "$haloquill_wine_loader" "$@"; }
wineserver() { "$WINESERVER" "$@"; }
wineboot() { "$haloquill_wine_loader" wineboot "$@"; }
winepath() { "$haloquill_wine_loader" winepath "$@"; }

haloquill_choose_windows_build
export WINEPREFIX="${WINEPREFIX:-$build_root/wineprefix$haloquill_prefix_suffix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# Wine takes each program's ANSI code page from the Unix locale; C.UTF-8 gives 1252, the Western
# one, which holds neither Cyrillic nor Chinese, as the tests of such names expect.
export LC_ALL=C.UTF-8
# No Mono or Gecko installer dialogs in a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

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
