#!/usr/bin/env bash
# Builds the downloads of the current commit twice, from two fresh clones in folders whose paths
# differ in length, with different time zones and umasks, and compares the two programs and
# every file of build/dist byte for byte. Uncommitted changes take no part: the commit is built.
# Keeps both clones and says where when a file differs; removes them when all is equal.
#   check-reproducible.sh [--this-tree]
# With --this-tree, the first build is scripts/package.sh in this tree, which must hold the
# commit unchanged and reuses the build trees already there (.ci/run's, after the tests): one
# build from scratch instead of two.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
this_tree=""
case "${1:-}" in
  --this-tree) this_tree=1 ;;
  "") ;;
  *)
    echo "usage: check-reproducible.sh [--this-tree]" >&2
    exit 2
    ;;
esac

bash "$root/scripts/install-deps.sh"
export HALOQUILL_DEPS_CHECKED=1
commit=$(git -C "$root" rev-parse HEAD)
if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
  if [ -n "$this_tree" ]; then
    echo "This tree has uncommitted changes: it cannot stand for commit $commit." >&2
    exit 1
  fi
  echo "Note: uncommitted changes are not built; checking commit $commit."
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/haloquill-reproducible.XXXXXX")
first="$scratch/a"
second="$scratch/a-second-build-in-a-folder-with-a-much-longer-name"

# Clones the commit into FOLDER (unless it is this tree) and makes its downloads there, unsigned,
# in the given time zone and umask; prints how long that took.
build_in() {
  local folder="$1" zone="$2" mask="$3" log started
  log="$scratch/$(basename "$folder").log"
  if [ "$folder" != "$root" ]; then
    git clone --quiet --no-checkout "$root" "$folder"
    git -C "$folder" checkout --quiet --detach "$commit"
  fi
  started=$(date +%s)
  (
    cd "$folder"
    umask "$mask"
    if [ "$folder" != "$root" ]; then unset HALOQUILL_BUILD_DIR; fi
    env -u HALOQUILL_SIGN_PFX -u SOURCE_DATE_EPOCH -u HALOQUILL_COMPILER TZ="$zone" bash scripts/package.sh >"$log" 2>&1
  ) || {
    tail -n 40 "$log" >&2
    echo "The package build in $folder failed; its log is $log" >&2
    exit 1
  }
  echo "Package build in $folder: $(($(date +%s) - started)) s"
}
first_build="$first/build"
if [ -n "$this_tree" ]; then
  first=$root
  first_build="${HALOQUILL_BUILD_DIR:-$root/build}"
  # The clone's path must differ in length from this tree's.
  [ ${#second} -ne ${#root} ] || second="${second}x"
fi
build_in "$first" UTC 022
# A zone with a 45-minute offset, written out so that it needs no time zone data.
build_in "$second" XYZ-5:45 002
second_build="$second/build"

compared=(win/bin/Haloquill.exe win64/bin/Haloquill.exe)
listing() { (cd "$1/dist" && find . -type f | sort); }
if [ "$(listing "$first_build")" != "$(listing "$second_build")" ]; then
  diff <(listing "$first_build") <(listing "$second_build") >&2 || true
  echo "The two builds made different files in build/dist; both kept in $scratch" >&2
  exit 1
fi
while IFS= read -r file; do compared+=("dist/${file#./}"); done < <(listing "$first_build")

differing=0
for file in "${compared[@]}"; do
  if cmp -s "$first_build/$file" "$second_build/$file"; then
    echo "same:    build/$file"
  else
    echo "DIFFERS: build/$file ($(cmp -l "$first_build/$file" "$second_build/$file" 2>/dev/null |
      wc -l) bytes)"
    differing=$((differing + 1))
  fi
done
if [ "$differing" -gt 0 ]; then
  echo "$differing of ${#compared[@]} files differ; the builds are kept in $scratch" >&2
  exit 1
fi
rm -rf "$scratch"
echo "Reproducible: ${#compared[@]} files identical in two builds of $commit"
