# Cross-compiles for Windows with clang and lld over Debian's mingw-w64 runtime and libstdc++
# (posix thread model, whose winpthread is linked in statically). Included by the toolchain
# files of each processor after they set HALOQUILL_TRIPLET and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${HALOQUILL_TRIPLET})
set(CMAKE_CXX_COMPILER_TARGET ${HALOQUILL_TRIPLET})
set(CMAKE_RC_COMPILER ${HALOQUILL_TRIPLET}-windres)
# The cross binutils' archiver indexes the objects for the target, as lld needs.
set(CMAKE_AR /usr/bin/${HALOQUILL_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${HALOQUILL_TRIPLET}-ranlib CACHE FILEPATH "")
set(CMAKE_FIND_ROOT_PATH /usr/${HALOQUILL_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not find Debian's libstdc++ for the target by itself: its folder is named after the
# thread model (12-posix).
file(GLOB gcc_dirs /usr/lib/gcc/${HALOQUILL_TRIPLET}/*-posix)
list(SORT gcc_dirs)
list(GET gcc_dirs -1 gcc_dir)
set(libstdcxx_includes "-isystem ${gcc_dir}/include/c++ -isystem ${gcc_dir}/include/c++/${HALOQUILL_TRIPLET} -isystem ${gcc_dir}/include/c++/backward")
set(CMAKE_CXX_FLAGS_INIT "${libstdcxx_includes}")
# libgcc's emulated thread-local storage and libstdc++'s locks of the posix model call into
# winpthread; lld finds a library's symbols wherever it stands on the command line.
set(link_flags "-fuse-ld=lld -L${gcc_dir} -lpthread")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${link_flags}")

find_program(WINE_PROGRAM wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR /bin/sh ${CMAKE_CURRENT_LIST_DIR}/run-under-wine.sh)
