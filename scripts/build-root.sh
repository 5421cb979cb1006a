# shellcheck shell=bash disable=SC2034
# Sourced by the scripts after $root is set: the build folder and the compiler of the Windows
# builds. HALOQUILL_COMPILER is gcc (the default) or clang; each has a build folder of its own,
# build/ and build-clang/, so that their trees never mix. HALOQUILL_BUILD_DIR names another.
case "${HALOQUILL_COMPILER:-gcc}" in
gcc) build_root="${HALOQUILL_BUILD_DIR:-$root/build}" ;;
clang) build_root="${HALOQUILL_BUILD_DIR:-$root/build-clang}" ;;
*)
  echo "HALOQUILL_COMPILER must be gcc or clang, not '$HALOQUILL_COMPILER'" >&2
  exit 2
  ;;
esac

# The toolchain file of the Windows builds for a triplet (i686-w64-mingw32, x86_64-w64-mingw32).
haloquill_toolchain_file() {
  if [ "${HALOQUILL_COMPILER:-gcc}" = clang ]; then
    echo "$root/cmake/$1-clang.cmake"
  else
    echo "$root/cmake/$1.cmake"
  fi
}
