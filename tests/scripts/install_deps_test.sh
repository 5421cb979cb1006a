#!/usr/bin/env bash
# Runs scripts/install-deps.sh against stand-ins for apt-get, dpkg-query and dpkg (stand-ins/),
# which record every call and fail on demand, and checks for each bad day at the mirror what gets
# installed, what the script says and how it exits. The real apt is never reached.
#   install_deps_test.sh SOURCE_DIR
set -uo pipefail
source_dir=$(cd "$1" && pwd)
stand_ins="$source_dir/tests/scripts/stand-ins"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# run NAME UPDATE_FAILS BROKEN PREINSTALLED: the script's output and status in $work/NAME.
run() {
  local name=$1 state="$work/$1"
  mkdir -p "$state"
  [ -z "$4" ] || printf '%s\n' $4 >"$state/installed"
  # The script runs as on a machine where nothing checked the packages yet.
  STUB_STATE="$state" STUB_UPDATE_FAILS=$2 STUB_BROKEN=$3 HALOQUILL_APT_RETRY_SECONDS=0 \
    PATH="$stand_ins:/usr/bin:/bin" env -u HALOQUILL_DEPS_CHECKED \
    bash "$source_dir/scripts/install-deps.sh" >"$state/out" 2>&1 </dev/null
  echo $? >"$state/status"
}
expect() {
  local name=$1 what=$2
  shift 2
  if ! "$@"; then
    echo "FAIL [$name] $what"
    sed 's/^/    | /' "$work/$name/out"
    failures=$((failures + 1))
  fi
}
status_is() { [ "$(cat "$work/$1/status")" = "$2" ]; }
says() { grep -qE "$2" "$work/$1/out"; }
has() { grep -qxF "$2" "$work/$1/installed" 2>/dev/null; }
updates() { [ "$(grep -c ' update' "$work/$1/calls")" = "$2" ]; }
every_apt_call_is_unattended() {
  ! grep '^apt-get' "$work/$1/calls" | grep -v '^apt-get\[noninteractive\]' | grep -q . &&
    ! grep '^apt-get.* install ' "$work/$1/calls" | grep -v ' -y ' | grep -q .
}

# The i386 index never comes, so wine32 cannot be had; everything else installs.
run mirror-out-of-step 99 "wine32:i386=Unable_to_correct_problems,_you_have_held_broken_packages." ""
expect mirror-out-of-step "exits 0" status_is mirror-out-of-step 0
expect mirror-out-of-step "tries the update three times" updates mirror-out-of-step 3
expect mirror-out-of-step "says the lists could not be updated, in one line" \
  says mirror-out-of-step "could not be updated after 3 tries.*Mirror sync in progress"
expect mirror-out-of-step "says why 32-bit Wine is missing" \
  says mirror-out-of-step "32-bit Wine \(wine32:i386\) could not be installed: Unable to correct problems"
expect mirror-out-of-step "installs the others" has mirror-out-of-step wine64
expect mirror-out-of-step "installs xdotool" has mirror-out-of-step xdotool
expect mirror-out-of-step "adds the i386 architecture" grep -qx i386 "$work/mirror-out-of-step/architectures"
expect mirror-out-of-step "asks nothing" every_apt_call_is_unattended mirror-out-of-step

# The update works at its second try; only wine32 fails to install.
run wine32-fails 1 "wine32:i386=Package_wine32:i386_has_no_installation_candidate" ""
expect wine32-fails "exits 0" status_is wine32-fails 0
expect wine32-fails "tries the update twice" updates wine32-fails 2
expect wine32-fails "says nothing of the lists" bash -c "! grep -q 'could not be updated' '$work/wine32-fails/out'"
expect wine32-fails "says why 32-bit Wine is missing" \
  says wine32-fails "could not be installed: Package wine32:i386 has no installation candidate"
expect wine32-fails "installs the rest" has wine32-fails cmake
expect wine32-fails "not wine32" bash -c "! grep -qx wine32:i386 '$work/wine32-fails/installed'"

# An ordinary package cannot be found: the script stops, naming it, having installed the rest.
run package-missing 0 "xdotool=Unable_to_locate_package_xdotool" ""
expect package-missing "exits 1" status_is package-missing 1
expect package-missing "names the package and apt's reason" \
  says package-missing "package xdotool cannot be installed: Unable to locate package xdotool"
expect package-missing "installs the others" has package-missing nsis
expect package-missing "not the missing one" bash -c "! grep -qx xdotool '$work/package-missing/installed'"
expect package-missing "asks nothing" every_apt_call_is_unattended package-missing

# Everything is there already: no apt at all, and not a word.
everything=$(sed -n '/^packages=(/,/)$/p' "$source_dir/scripts/install-deps.sh" |
  sed 's/packages=(//; s/)//' | tr -s ' \n' ' ')
mkdir -p "$work/all-there" && echo i386 >"$work/all-there/architectures"
run all-there 0 "" "$everything wine32:i386"
expect all-there "exits 0" status_is all-there 0
expect all-there "calls no apt-get" bash -c "! grep -q '^apt-get' '$work/all-there/calls'"
expect all-there "says nothing" bash -c "[ ! -s '$work/all-there/out' ]"

if [ "$failures" -eq 0 ]; then
  echo "install-deps.sh: every case passed"
fi
exit $((failures > 0))
