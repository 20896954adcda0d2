# Cross-builds the driver for 64-bit Windows with MinGW-w64.
#   cmake -S . -B build/win64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake
# Test executables run under Wine through scripts/wine-run, so ctest works in this tree.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TQR_MINGW_TRIPLE x86_64-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

set(CMAKE_CROSSCOMPILING_EMULATOR "${TQR_WINE_RUN}")
