# 64-bit Windows: the same sources, built to be tested on a host that runs no
# 32-bit programs (scripts/host-arch).
set(MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
