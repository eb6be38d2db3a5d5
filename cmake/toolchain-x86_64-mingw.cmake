# 64-bit Windows build of the same sources, for running the Win32 tests under
# 64-bit Wine on machines that cannot run 32-bit programs (win32 threads, static).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain.cmake)
