# Warning flags for our own targets, and the sanitizers of the native build.
#
#   tqr_warnings(<target>)   warnings as errors for one of our targets; third-party
#                            code (GoogleTest built into the tree) never gets them.
#   TQR_SANITIZE             cache option, ON by default for a native GCC build: every
#                            target of the tree is built and linked with AddressSanitizer
#                            and UndefinedBehaviorSanitizer, and the first report aborts.

include_guard(GLOBAL)

function(tqr_warnings target)
  if(NOT TARGET ${target})
    message(FATAL_ERROR "tqr_warnings: ${target} is not a target")
  endif()
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /WX /permissive-)
    return()
  endif()
  # Chosen so that MinGW's and Wine's platform headers pass untouched: those come in
  # as system headers, and the ones below do not fire on their macros in our code
  # (MAKEINTRESOURCE, HIWORD, message crackers). -Wconversion does, so it stays off.
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Werror -Wpedantic
    -Wshadow
    -Wcast-qual
    -Wformat-security
    -Wundef
    -Wunused
    $<$<COMPILE_LANGUAGE:CXX>:-Wnon-virtual-dtor -Woverloaded-virtual -Wextra-semi>
    $<$<CXX_COMPILER_ID:GNU>:-Wduplicated-cond -Wduplicated-branches -Wlogical-op>
    # GCC 12 reports overlapping memcpy inside libstdc++'s own string code at -O3
    # ("literal" + std::string&&, GCC bug 105329); real overlaps are AddressSanitizer's.
    $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>
  )
endfunction()

if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(_tqr_sanitize_default ON)
else()
  set(_tqr_sanitize_default OFF)
endif()
option(TQR_SANITIZE
  "Build and link everything with -fsanitize=address,undefined (native builds)"
  ${_tqr_sanitize_default})
unset(_tqr_sanitize_default)

if(TQR_SANITIZE)
  if(WIN32 OR MSVC)
    message(FATAL_ERROR "TQR_SANITIZE is for native (Linux) builds; MinGW has no sanitizer runtime")
  endif()
  set(_tqr_sanitize_flags
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_compile_options(${_tqr_sanitize_flags})
  add_link_options(${_tqr_sanitize_flags})
  # Bounds checks in libstdc++'s containers: an out-of-range operator[] inside memory we
  # own is invisible to AddressSanitizer but is exactly the kind of fault tests are for.
  add_compile_definitions(_GLIBCXX_ASSERTIONS)
  unset(_tqr_sanitize_flags)
endif()
