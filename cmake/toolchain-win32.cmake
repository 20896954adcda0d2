# Cross-builds the driver for 32-bit Windows (x86) with MinGW-w64.
#   cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake
# Test executables run under Wine's 32-bit side (Debian's wine32:i386, which
# scripts/bootstrap installs) through scripts/wine-run, as in the win64 tree.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TQR_MINGW_TRIPLE i686-w64-mingw32)

include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)

# Its prefixes are its own (build/wine32 unless TQR_WINE_DIR says otherwise): the
# integration tests of both trees install the driver under the same printer names.
get_filename_component(TQR_WINE_DIR_DEFAULT "${CMAKE_CURRENT_LIST_DIR}/../build/wine32" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${TQR_WINE_RUN};--default-dir;${TQR_WINE_DIR_DEFAULT}")
