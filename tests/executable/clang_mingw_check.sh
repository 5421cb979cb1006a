#!/usr/bin/env bash
# Compiles every source of the program and of its unit tests with clang for mingw-w64 (i686), warnings as errors:
# a second compiler's view on the code's portability, as MSVC cannot run here.
# Usage: clang_mingw_check.sh SOURCE_DIR MAJOR.MINOR
set -euo pipefail
root="$1"
version="$2"
gcc_dir=$(ls -d /usr/lib/gcc/i686-w64-mingw32/*-posix | head -n1)
flags=(--target=i686-w64-mingw32 -std=c++20 -fsyntax-only
       -isystem "$gcc_dir/include/c++" -isystem "$gcc_dir/include/c++/i686-w64-mingw32"
       -isystem "$gcc_dir/include/c++/backward" -isystem /usr/src/googletest/googletest/include
       -I"$root/src" -I"$root/tests/unit" -I"$root/tests/win32"
       -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601
       "-DHALOQUILL_SHORT_VERSION=\"$version\"" '-DHALOQUILL_SITE_BASE="https://www.example.com/"'
       -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror)
cd "$root"
sources=$(ls src/*/*.cpp tests/unit/*.cpp bench/*.cpp)
count=$(echo "$sources" | wc -l)
echo "$sources" | xargs -P 2 -I{} clang++ "${flags[@]}" {}
echo "clang for mingw-w64 compiled $count sources without a warning"
