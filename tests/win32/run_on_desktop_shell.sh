#!/usr/bin/env bash
# Runs a Windows test program for CTest inside a Wine desktop of its own that has Wine's shell (a
# taskbar with a notification area): starts the desktop with the program in it, waits for the
# program with a deadline, prints its report and ends the desktop and every process started in
# it, whether the program passed, failed or hung.
# Usage: run_on_desktop_shell.sh PROGRAM.exe [ARGUMENTS...]
# HALOQUILL_WINE names the loader of the build that runs (scripts/wine-session.sh).
set -u
program=$1
shift
loader=${HALOQUILL_WINE:-wine}
desktop=HaloquillShellTest
deadline_seconds=100

xdotool_path=$(command -v xdotool) || {
  echo "xdotool is missing (scripts/install-deps.sh installs it)"
  exit 1
}
scratch=$(mktemp -d)
group=""

# Every process of the run is in the process group of the desktop's first process.
group_runs() {
  # Ended processes that nobody has reaped yet do not count.
  ps -eo pgid=,stat= | awk -v group="$group" '$1 == group && $2 !~ /^Z/ { found = 1 }
    END { exit !found }'
}

end_run() {
  if [ -n "$group" ] && group_runs; then
    kill -TERM -- "-$group" 2>/dev/null
    for _ in $(seq 1 50); do
      group_runs || break
      sleep 0.1
    done
    kill -KILL -- "-$group" 2>/dev/null
  fi
  rm -rf "$scratch"
}
trap end_run EXIT
trap 'exit 1' TERM INT

# Only the desktop named "shell" has the shell unless the registry asks for it.
"$loader" reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$desktop" /v EnableShell \
  /t REG_DWORD /d 1 /f >/dev/null 2>&1
mapfile -t windows_paths < <("$loader" winepath -w "$program" "$scratch" "$xdotool_path" 2>/dev/null)
if [ "${#windows_paths[@]}" -ne 3 ]; then
  echo "winepath did not give the Windows paths"
  exit 1
fi
export HALOQUILL_SHELL_REPORT="${windows_paths[1]}\\report.txt"
export HALOQUILL_SHELL_RESULT="${windows_paths[1]}\\result.txt"
export HALOQUILL_XDOTOOL="${windows_paths[2]}"

setsid "$loader" explorer "/desktop=$desktop,1000x740" "${windows_paths[0]}" "$@" \
  </dev/null >"$scratch/wine.txt" 2>&1 &
group=$!

# The desktop ends by itself once its last program has ended; a few seconds after the test
# program has given its result it is ended anyway (the program it drove may have outlived it).
start=$SECONDS
finished=""
while kill -0 "$group" 2>/dev/null && [ $((SECONDS - start)) -lt $deadline_seconds ]; do
  if [ -z "$finished" ] && [ -s "$scratch/result.txt" ]; then
    finished=$SECONDS
  fi
  if [ -n "$finished" ] && [ $((SECONDS - finished)) -ge 5 ]; then
    break
  fi
  sleep 0.2
done
if kill -0 "$group" 2>/dev/null; then
  echo "The desktop still ran $((SECONDS - start)) seconds after it started; it is ended."
fi

cat "$scratch/report.txt" 2>/dev/null || echo "The test program wrote no report."
result=$(cat "$scratch/result.txt" 2>/dev/null | tr -d '\r\n')
if [ "$result" != 0 ]; then
  echo "--- Wine's output ---"
  cat "$scratch/wine.txt"
  exit 1
fi
exit 0
