# Sourced by the build and package scripts: configures and builds one Windows build tree, the
# same way for both. Expects $root and $build_root, and scripts/build-root.sh sourced.
#   haloquill_windows_tree TREE TOOLCHAIN SUFFIX [TARGET...]
# TREE is win or win64, TOOLCHAIN the file in cmake/ without .cmake, SUFFIX "" or "64" for the
# names of the Wine prefixes the tests use; without targets, everything is built.
haloquill_windows_tree() {
  local tree="$1" toolchain="$2" suffix="$3"
  shift 3
  local targets=()
  local target
  for target in "$@"; do targets+=(--target "$target"); done
  cmake -S "$root" -B "$build_root/$tree" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$(haloquill_toolchain_file "$toolchain")" \
    -DHALOQUILL_HIDPI_PREFIX="$build_root/wineprefix$suffix-144" \
    -DHALOQUILL_SETUP_PREFIX="$build_root/wineprefix$suffix-setup" >/dev/null
  cmake --build "$build_root/$tree" -j"$(nproc 2>/dev/null || echo 2)" "${targets[@]}"
}
