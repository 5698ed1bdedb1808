# Cross build for 64-bit Windows, for hosts that run 64-bit code only; the executables
# run under 64-bit Wine for the tests.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# The 64-bit loader itself: `wine` on PATH goes through the 32-bit loader, which a
# host that runs 64-bit code only cannot execute. Called by its own path (not through
# a link under another name), it finds its preloader beside it.
find_program(WINE64_EXECUTABLE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(WINE64_EXECUTABLE NAMES wine64)
if(WINE64_EXECUTABLE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${WINE64_EXECUTABLE})
endif()
