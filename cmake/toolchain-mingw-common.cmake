# Shared part of toolchain-win64.cmake and toolchain-win32.cmake; set TQR_MINGW_TRIPLE first.
#
# The -posix compilers are the ones whose libstdc++ has std::thread and std::mutex.
# Everything is linked statically (libstdc++, libgcc, winpthread): the spooler loads
# our DLL by full path from its driver folder, where no runtime DLLs sit beside it.

if(NOT TQR_MINGW_TRIPLE)
  message(FATAL_ERROR "set TQR_MINGW_TRIPLE before including toolchain-mingw-common.cmake")
endif()

set(CMAKE_C_COMPILER   ${TQR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TQR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${TQR_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TQR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endforeach()

# Test programs of either tree run under Wine through scripts/wine-run, which picks the
# 64-bit or the 32-bit loader by the program's own machine.
get_filename_component(TQR_WINE_RUN "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run" ABSOLUTE)
