# Cross-compiles for 32-bit Windows with clang and lld (see mingw-clang.cmake).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(HALOQUILL_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-clang.cmake)
