# Cross-compiles for 64-bit Windows with clang and lld (see mingw-clang.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(HALOQUILL_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-clang.cmake)
