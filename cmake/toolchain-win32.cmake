# Cross-builds the driver for 32-bit Windows (x86) with MinGW-w64.
#   cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake
# No emulator: Debian's 64-bit Wine cannot start 32-bit programs without the i386
# wine32 package, so this tree is built but its tests are not registered.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TQR_MINGW_TRIPLE i686-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
